#!/usr/bin/python3
"""Stands in for LibreOffice: records its arguments, then fails at once or,
with OFFICE_STANDIN=silent, takes its pipe, keeps a child, and never answers."""
import os
import re
import socket
import sys
import time

record = os.environ["OFFICE_STANDIN_RECORD"]
with open(record, "a") as out:
    out.write(" ".join(sys.argv[1:]) + "\n")
if os.environ.get("OFFICE_STANDIN") != "silent":
    sys.exit(3)
child = os.fork()
if child == 0:
    time.sleep(600)
    os._exit(0)
with open(record + ".pids", "w") as out:
    out.write("%d\n%d\n" % (os.getpid(), child))
name = re.search(r"pipe,name=([^;]+)", " ".join(sys.argv)).group(1)
listener = socket.socket(socket.AF_UNIX)
listener.bind("/tmp/OSL_PIPE_%d_%s" % (os.getuid(), name))
listener.listen(1)
held = listener.accept()
time.sleep(600)
