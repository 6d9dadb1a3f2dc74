"""Opens a report document in LibreOffice Writer as a new, untitled document
made from it and, for the blank form, inserts the title at its start.

    informe.py [--private DIR] [--display NAME] [--title TEXT] DOCUMENT
        Starts Writer for this display, or reuses the one this helper started
        there before, and shows a new document made from DOCUMENT, visibly;
        DOCUMENT itself never changes. Writer is left running. Its profile
        and the secret that names its pipe are kept in DIR, a folder only
        this user may enter (the session's runtime folder when not given).
    informe.py --headless [--profile DIR] [--title TEXT] DOCUMENT
        Runs a private, invisible Writer, inserts the title, saves DOCUMENT
        in its own format and closes Writer again.

The exit status is 0 when the document is open (or saved) as asked. The
whole chain has one time limit, and so does the model on this helper
(SIGTERM): a Writer this helper started and could not use is then stopped
with its process group. A Writer that opened the document stays.
"""

import argparse
import glob
import hashlib
import os
import re
import secrets
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import threading
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
CHAIN_SECONDS = 38     # the model's own limit is a little longer
STOP_SECONDS = 30


class Failure(Exception):
    pass


def parse_arguments(argv):
    parser = argparse.ArgumentParser(description="Opens a report document in Writer.")
    parser.add_argument("--title", help="text to insert at the start of the first line")
    parser.add_argument("--headless", action="store_true",
                        help="work invisibly in a private Writer and save the document")
    parser.add_argument("--profile", help="user profile folder of the private Writer")
    parser.add_argument("--private", help="folder only this user may enter, for the profile and the secret")
    parser.add_argument("--display", help="the display the report was chosen on")
    parser.add_argument("document")
    return parser.parse_args(argv)


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


def pipe_path(name):
    """Where LibreOffice's own code puts a pipe of this user: the sticky /tmp,
    where any account may take a name first."""
    folder = "/tmp" if os.access("/tmp", os.W_OK) else "/var/tmp"
    return "%s/OSL_PIPE_%d_%s" % (folder, os.getuid(), name)


def single_instance_pipe(profile):
    """Writer's pipe for a second start with this profile, named as Writer
    names it: from the MD5 of the profile's URL in UTF-16."""
    digest = hashlib.md5(profile_url(profile).encode("utf-16-le")).digest()
    return "SingleOfficeIPC_" + "".join("%x" % byte for byte in digest)


def pipe_name(secret):
    return "%s_%s" % (PIPE_PREFIX, secret)


def is_own_or_free(path):
    try:
        info = os.lstat(path)
    except FileNotFoundError:
        return True
    return stat.S_ISSOCK(info.st_mode) and info.st_uid == os.getuid()


class Session:
    """Writer of one display: its profile and its pipe, named by a secret.
    The profile's path holds the secret too, so both of Writer's pipes are
    unknown to other accounts until Writer runs; a name another account took
    meanwhile costs a new secret, not the pupil's report."""

    def __init__(self, folder, display):
        self.folder = folder
        self.key = "Concentracio-informe-" + re.sub(r"[^A-Za-z0-9._-]", "_", display)
        secret_path = os.path.join(folder, self.key)
        secret = read_secret(secret_path)
        if secret is None or not self.pipes_are_own(secret):
            secret = write_secret(secret_path)
            self.remove_old_profiles(secret)
        self.secret = secret

    def profile_for(self, secret):
        return os.path.join(self.folder, "%s-perfil-%s" % (self.key, secret))

    def profile(self):
        return self.profile_for(self.secret)

    def pipe(self):
        return pipe_name(self.secret)

    def pipes_are_own(self, secret):
        return all(is_own_or_free(pipe_path(name))
                   for name in (pipe_name(secret), single_instance_pipe(self.profile_for(secret))))

    def remove_old_profiles(self, secret):
        for old in glob.glob(glob.escape(self.profile_for("")) + "*"):
            if old != self.profile_for(secret):
                shutil.rmtree(old, ignore_errors=True)


def session_folder(private):
    """Without a private folder, a throwaway one serves this command only."""
    folder = private or os.environ.get("XDG_RUNTIME_DIR")
    if folder and is_private_folder(folder):
        return folder
    return tempfile.mkdtemp(prefix="Concentracio-informe-")


def display_name(display):
    if display is not None:
        os.environ["DISPLAY"] = display
        return display
    return "%s-%s" % (os.environ.get("WAYLAND_DISPLAY", ""), os.environ.get("DISPLAY", ""))


def office_program():
    for name in ("soffice", "libreoffice"):
        found = shutil.which(name)
        if found:
            return found
    raise Failure("LibreOffice is not installed")


def profile_url(folder):
    return uno.systemPathToFileUrl(os.path.abspath(folder))


class Chain:
    """What this helper started. Writer runs in a process group of its own,
    so that it outlives the helper, or goes with all its children."""

    def __init__(self):
        self.office = None
        self.opened = False

    def start_office(self, pipe, headless, profile):
        command = [office_program(), "--nologo", "--nodefault", "--norestore",
                   "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % pipe]
        if headless:
            command += ["--headless", "--invisible"]
        if profile:
            command.append("-env:UserInstallation=" + profile_url(profile))
        self.office = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL, start_new_session=True)
        return self.office

    def end_unused(self):
        if self.office is None or self.opened:
            return
        try:
            os.killpg(self.office.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.office.wait()


def within(seconds, work):
    """Runs work with a time limit, even when it hangs inside a call into
    the bridge that never returns: the work runs aside, and is abandoned."""
    outcome = {}

    def attempt():
        try:
            outcome["value"] = work()
        except BaseException as error:  # handed to the waiting thread
            outcome["error"] = error

    worker = threading.Thread(target=attempt, daemon=True)
    worker.start()
    worker.join(seconds)
    if worker.is_alive():
        raise Failure("LibreOffice did not answer in %d s" % seconds)
    if "error" in outcome:
        raise outcome["error"]
    return outcome.get("value")


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
    while True:
        desktop = connect(pipe)
        if desktop is not None:
            return desktop
        if office.poll() not in (None, 0):
            raise Failure("LibreOffice ended with status %d" % office.returncode)
        time.sleep(0.5)


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


def load(desktop, path, hidden, as_template):
    document = desktop.loadComponentFromURL(document_url(path), "_blank", 0,
                                            property_values(Hidden=hidden, AsTemplate=as_template))
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


# Every choice gives a new document: the pupil's copy of the form is never
# written, and saving asks for a name.
def open_visibly(chain, path, title, session):
    desktop = connect(session.pipe())
    if desktop is None:
        desktop = wait_for_office(session.pipe(), chain.start_office(session.pipe(), False, session.profile()))
    document = load(desktop, path, hidden=False, as_template=True)
    chain.opened = True
    if title:
        insert_title(document, title, move_view=True)
    bring_to_front(document)


def stop_office(desktop, office):
    try:
        desktop.terminate()
    except DisposedException:
        pass  # the bridge goes down with Writer
    office.wait(STOP_SECONDS)


def edit_headless(chain, path, title, profile):
    pipe = "%s_%d_%d" % (PIPE_PREFIX, os.getpid(), time.monotonic_ns())
    office = chain.start_office(pipe, True, profile)
    desktop = wait_for_office(pipe, office)
    document = load(desktop, path, hidden=True, as_template=False)
    if title:
        insert_title(document, title, move_view=False)
    document.store()
    document.close(True)
    stop_office(desktop, office)


def run(chain, arguments):
    if not os.path.isfile(arguments.document):
        raise Failure("%s does not exist" % arguments.document)
    if not arguments.headless:
        session = Session(session_folder(arguments.private), display_name(arguments.display))
        within(CHAIN_SECONDS, lambda: open_visibly(chain, arguments.document, arguments.title, session))
    elif arguments.profile:
        within(CHAIN_SECONDS + STOP_SECONDS,
               lambda: edit_headless(chain, arguments.document, arguments.title, arguments.profile))
    else:
        with tempfile.TemporaryDirectory() as profile:
            within(CHAIN_SECONDS + STOP_SECONDS,
                   lambda: edit_headless(chain, arguments.document, arguments.title, profile))


def stopped(number, frame):
    raise Failure("stopped by signal %d" % number)


def main(argv):
    arguments = parse_arguments(argv)
    if uno is None:
        print("informe: no bridge to LibreOffice: %s" % BRIDGE_ERROR, file=sys.stderr)
        return 1
    signal.signal(signal.SIGTERM, stopped)
    chain = Chain()
    try:
        run(chain, arguments)
    except Exception as error:  # any UNO error means the document is not ready
        print("informe: %s" % error, file=sys.stderr)
        chain.end_unused()
        return 1
    return 0


if __name__ == "__main__":
    status = main(sys.argv[1:])
    sys.stderr.flush()
    # A bridge call left hanging must not hold the exit.
    os._exit(status)
