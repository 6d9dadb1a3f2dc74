"""Opens a report document in LibreOffice Writer and, for the blank form,
inserts the title at the start of its first line.

    informe.py [--private DIR] [--title TEXT] DOCUMENT
        Starts Writer, or reuses the one this helper started before, and
        shows DOCUMENT in place, visibly. Writer is left running. Its pipe
        has a secret name, kept in DIR, a folder only this user may enter
        (the session's runtime folder when DIR is not given).
    informe.py --headless [--profile DIR] [--title TEXT] DOCUMENT
        Runs a private, invisible Writer, inserts the title, saves DOCUMENT
        in its own format and closes Writer again.

The exit status is 0 when the document is open (or saved) as asked. Every
step has a time limit; a Writer that stops answering ends the helper by
SIGALRM, which the model reports as a failure.
"""

import argparse
import os
import re
import secrets
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import time

try:
    import uno
    from com.sun.star.beans import PropertyValue
    from com.sun.star.connection import NoConnectException
    from com.sun.star.lang import DisposedException
except ImportError as missing:
    uno = None
    BRIDGE_ERROR = missing

PIPE_PREFIX = "Concentracio_informe"
SECRET_PATTERN = re.compile(r"[0-9a-f]{32}")
START_SECONDS = 90     # Writer's first start on a slow school computer
ANSWER_SECONDS = 10    # a Writer that is up answers at once
DOCUMENT_SECONDS = 60  # opening the document, inserting the title
STOP_SECONDS = 30


class Failure(Exception):
    pass


def parse_arguments(argv):
    parser = argparse.ArgumentParser(description="Opens a report document in Writer.")
    parser.add_argument("--title", help="text to insert at the start of the first line")
    parser.add_argument("--headless", action="store_true",
                        help="work invisibly in a private Writer and save the document")
    parser.add_argument("--profile", help="user profile folder of the private Writer")
    parser.add_argument("--private", help="folder only this user may enter, for the pipe's secret")
    parser.add_argument("document")
    return parser.parse_args(argv)


def time_limit(seconds):
    """Ends the helper when a step outlasts its limit, even inside a call
    into the bridge that never returns: the signal's default action kills."""
    signal.signal(signal.SIGALRM, signal.SIG_DFL)
    signal.alarm(seconds)


def is_private_folder(folder):
    try:
        info = os.lstat(folder)
    except OSError:
        return False
    return stat.S_ISDIR(info.st_mode) and info.st_uid == os.getuid() and info.st_mode & 0o077 == 0


def read_secret(path):
    try:
        descriptor = os.open(path, os.O_RDONLY | os.O_NOFOLLOW)
    except OSError:
        return None
    with os.fdopen(descriptor) as file:
        info = os.fstat(file.fileno())
        secret = file.read(64).strip()
    if stat.S_ISREG(info.st_mode) and info.st_uid == os.getuid() and SECRET_PATTERN.fullmatch(secret):
        return secret
    return None


def write_secret(path):
    secret = secrets.token_hex(16)
    try:
        os.unlink(path)
    except FileNotFoundError:
        pass
    descriptor = os.open(path, os.O_WRONLY | os.O_CREAT | os.O_EXCL | os.O_NOFOLLOW, 0o600)
    with os.fdopen(descriptor, "w") as file:
        file.write(secret + "\n")
    return secret


def secret_file(folder):
    """One per graphical session: pupils sharing an account on several
    screens each get their own Writer, on their own screen."""
    session = "%s-%s" % (os.environ.get("WAYLAND_DISPLAY", ""), os.environ.get("DISPLAY", ""))
    return os.path.join(folder, "Concentracio-informe-" + re.sub(r"[^A-Za-z0-9._-]", "_", session))


def session_pipe_name(folder):
    """Writer's pipe, named by a secret that only this user can read: another
    account that could guess the name could listen there first. Without a
    private folder the name serves this command only."""
    if folder and is_private_folder(folder):
        path = secret_file(folder)
        secret = read_secret(path) or write_secret(path)
    else:
        secret = secrets.token_hex(16)
    return "%s_%s" % (PIPE_PREFIX, secret)


def office_program():
    for name in ("soffice", "libreoffice"):
        found = shutil.which(name)
        if found:
            return found
    raise Failure("LibreOffice is not installed")


def profile_url(folder):
    return uno.systemPathToFileUrl(os.path.abspath(folder))


def start_office(pipe, headless, profile):
    command = [office_program(), "--nologo", "--nodefault", "--norestore",
               "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % pipe]
    if headless:
        command += ["--headless", "--invisible"]
    if profile:
        command.append("-env:UserInstallation=" + profile_url(profile))
    # Writer outlives this helper: its own session, and none of our pipes.
    return subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, start_new_session=True)


def connect(pipe):
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext(
        "com.sun.star.bridge.UnoUrlResolver", local)
    try:
        context = resolver.resolve(
            "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
    except NoConnectException:
        return None
    return context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)


def wait_for_office(pipe, office):
    time_limit(START_SECONDS)
    deadline = time.monotonic() + START_SECONDS
    while time.monotonic() < deadline:
        desktop = connect(pipe)
        if desktop is not None:
            return desktop
        if office is not None and office.poll() not in (None, 0):
            raise Failure("LibreOffice ended with status %d" % office.returncode)
        time.sleep(0.5)
    raise Failure("LibreOffice did not answer")


def property_values(**values):
    result = []
    for name, value in values.items():
        item = PropertyValue()
        item.Name = name
        item.Value = value
        result.append(item)
    return tuple(result)


def document_url(path):
    return uno.systemPathToFileUrl(os.path.abspath(path))


def already_open(desktop, path):
    url = document_url(path)
    components = desktop.getComponents().createEnumeration()
    while components.hasMoreElements():
        component = components.nextElement()
        if hasattr(component, "getURL") and component.getURL() == url:
            return component
    return None


def load(desktop, path, hidden):
    url = document_url(path)
    document = desktop.loadComponentFromURL(url, "_blank" if hidden else "_default", 0,
                                            property_values(Hidden=hidden))
    if document is None or not hasattr(document, "getText"):
        raise Failure("%s is not a text document" % path)
    return document


def insert_title(document, title, move_view):
    text = document.getText()
    cursor = text.createTextCursor()
    cursor.gotoStart(False)
    text.insertString(cursor, title, False)
    if move_view:
        # As after a paste: the insertion point follows the title.
        document.getCurrentController().getViewCursor().gotoRange(cursor.getEnd(), False)


def bring_to_front(document):
    window = document.getCurrentController().getFrame().getContainerWindow()
    window.setVisible(True)
    window.toFront()


# Chosen again while open, the document only comes forward: a second copy
# would let the last save win, and the title would go in twice.
def open_visibly(path, title, private):
    pipe = session_pipe_name(private or os.environ.get("XDG_RUNTIME_DIR"))
    time_limit(ANSWER_SECONDS)
    desktop = connect(pipe)
    if desktop is None:
        desktop = wait_for_office(pipe, start_office(pipe, False, None))
    time_limit(DOCUMENT_SECONDS)
    document = already_open(desktop, path)
    if document is None:
        document = load(desktop, path, hidden=False)
        if title:
            insert_title(document, title, move_view=True)
    bring_to_front(document)


def stop_office(desktop, office):
    try:
        desktop.terminate()
    except DisposedException:
        pass  # the bridge goes down with Writer
    try:
        office.wait(STOP_SECONDS)
    except subprocess.TimeoutExpired:
        office.kill()
        office.wait()


def edit_headless(path, title, profile):
    pipe = "%s_%d_%d" % (PIPE_PREFIX, os.getpid(), time.monotonic_ns())
    office = start_office(pipe, True, profile)
    desktop = None
    try:
        desktop = wait_for_office(pipe, office)
        time_limit(DOCUMENT_SECONDS)
        document = load(desktop, path, hidden=True)
        if title:
            insert_title(document, title, move_view=False)
        document.store()
        document.close(True)
    finally:
        time_limit(2 * STOP_SECONDS)
        if desktop is not None:
            stop_office(desktop, office)
        else:
            office.kill()
            office.wait()


def run(arguments):
    if not os.path.isfile(arguments.document):
        raise Failure("%s does not exist" % arguments.document)
    if not arguments.headless:
        open_visibly(arguments.document, arguments.title, arguments.private)
    elif arguments.profile:
        edit_headless(arguments.document, arguments.title, arguments.profile)
    else:
        with tempfile.TemporaryDirectory() as profile:
            edit_headless(arguments.document, arguments.title, profile)


def main(argv):
    arguments = parse_arguments(argv)
    if uno is None:
        print("informe: no bridge to LibreOffice: %s" % BRIDGE_ERROR, file=sys.stderr)
        return 1
    try:
        run(arguments)
    except Exception as error:  # any UNO error means the document is not ready
        print("informe: %s" % error, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
