# The resident extractor worker. Starting the extractor costs about a second
# of processor time, most of it importing its Python package; this process
# imports it once and runs every extractor run the program starts, each in a
# thread of its own, for as long as runs keep coming.
#
# Started by ExtractorWorkers as:
#   INTERPRETER... extractorworker.py MODE EXTRACTOR SOCKET FINGERPRINT IDLE
# MODE is "zip" (EXTRACTOR is a Python zip application) or "package" (the
# package is importable by this interpreter). FINGERPRINT identifies the
# environment and folder the program started this worker with; a run asking
# for another one is refused and starts the extractor itself.
#
# The client (quillon-run) and this worker talk in frames: one kind byte, a
# 4-byte big-endian length, the payload.
#   client -> worker  Q  a run: strings (4-byte length each): fingerprint,
#                        working folder, then the run's arguments
#                     K  end the run of the client with this process id, and
#                        answer once it has ended
#   worker -> client  N  refused (nothing ran); A  accepted
#                     O  standard output bytes; E  standard error bytes
#                     X  exit: 4-byte signed code (negative: killed by signal)
#                     D  answer to K: "ended", "abandoned" or "none"
# A client whose connection closes has its run cancelled.

import io
import os
import signal
import socket
import struct
import subprocess
import sys
import threading
import time
import traceback

MODE, EXTRACTOR, SOCKET_PATH, FINGERPRINT = sys.argv[1:5]
IDLE_SECONDS = float(sys.argv[5])
# Runs see the argument list a start of the extractor itself would have.
sys.argv = [EXTRACTOR]
# How long a cancelled run may take to notice before it is given up.
CANCEL_WAIT_SECONDS = 1.5

_real_stderr = sys.__stderr__
_state_lock = threading.Lock()
_runs = {}  # client process id -> Run
_abandoned = 0
_last_activity = time.monotonic()
_extractor = None  # the imported package, None when the import failed


class Cancelled(BaseException):
    """Raised inside a cancelled run; not an Exception, so no handler of the
    extractor takes it for a download error and retries."""


def _frame(kind, payload):
    return kind + struct.pack('>I', len(payload)) + payload


def _read_exact(conn, n):
    data = b''
    while len(data) < n:
        chunk = conn.recv(n - len(data))
        if not chunk:
            return None
        data += chunk
    return data


def _read_frame(conn):
    head = _read_exact(conn, 5)
    if head is None:
        return None, None
    size = struct.unpack('>I', head[1:])[0]
    if size > 16 * 1024 * 1024:
        return None, None
    payload = _read_exact(conn, size) if size else b''
    if payload is None:
        return None, None
    return head[:1], payload


def _strings(payload):
    out, at = [], 0
    while at + 4 <= len(payload):
        size = struct.unpack('>I', payload[at:at + 4])[0]
        at += 4
        out.append(payload[at:at + size])
        at += size
    return out


class Run:
    def __init__(self, conn, pid):
        self.conn = conn
        self.pid = pid
        self.send_lock = threading.Lock()
        self.cancelled = threading.Event()
        self.ended = threading.Event()
        self.popens = []
        self.pumps = []  # threads relaying helpers' output
        self.abandoned = False

    def send(self, kind, payload):
        if self.cancelled.is_set() and kind in (b'O', b'E'):
            # Nothing of a cancelled run may reach anyone any more, and its
            # thread stops at the first thing it says.
            raise Cancelled()
        with self.send_lock:
            try:
                self.conn.sendall(_frame(kind, payload))
            except OSError:
                self.cancel()

    def cancel(self):
        self.cancelled.set()
        for p in list(self.popens):
            try:
                p.kill()
            except OSError:
                pass


def current_run():
    # Not threading.current_thread(): for a thread threading did not start,
    # that makes a dummy thread object, which would ask this again.
    thread = threading._active.get(threading.get_ident())
    return getattr(thread, '_quillon_run', None)


def check_cancelled(*_):
    run = current_run()
    if run is not None and run.cancelled.is_set():
        raise Cancelled()


# Threads a run starts belong to that run: their output is its output, and
# they stop with it.
_thread_init = threading.Thread.__init__


def _init_thread(self, *args, **kwargs):
    _thread_init(self, *args, **kwargs)
    self._quillon_run = current_run()


threading.Thread.__init__ = _init_thread

# Helpers a run starts (ffmpeg) are killed when it is cancelled.
_popen_init = subprocess.Popen.__init__


def _pump(fd, run, kind):
    try:
        while True:
            data = os.read(fd, 65536)
            if not data:
                break
            run.send(kind, data)
    except (OSError, Cancelled):
        pass
    finally:
        os.close(fd)


def _init_popen(self, *args, **kwargs):
    check_cancelled()
    run = current_run()
    # A helper that writes to the output it inherits writes to the run's, as
    # it would as the extractor's child.
    relayed = []
    if run is not None and len(args) <= 4:
        for name, kind in (('stdout', b'O'), ('stderr', b'E')):
            if kwargs.get(name) is None:
                kwargs[name] = subprocess.PIPE
                relayed.append((name, kind))
    _popen_init(self, *args, **kwargs)
    for name, kind in relayed:
        pipe = getattr(self, name)
        # The caller did not ask for this pipe and must not read it.
        setattr(self, name, None)
        fd = os.dup(pipe.fileno())
        pipe.close()
        pump = threading.Thread(target=_pump, args=(fd, run, kind), daemon=True)
        run.pumps.append(pump)
        self._quillon_pumps = getattr(self, '_quillon_pumps', []) + [pump]
        pump.start()
    if run is not None:
        run.popens.append(self)
        if run.cancelled.is_set():
            self.kill()


subprocess.Popen.__init__ = _init_popen

_popen_wait = subprocess.Popen.wait


def _wait_popen(self, *args, **kwargs):
    # Once a helper has ended, all it said has been relayed: what the run
    # prints next comes after it, as in one shared pipe.
    code = _popen_wait(self, *args, **kwargs)
    for pump in getattr(self, '_quillon_pumps', ()):
        pump.join(2.0)
    return code


subprocess.Popen.wait = _wait_popen


class _Buffer:
    def __init__(self, stream):
        self._stream = stream

    def write(self, data):
        self._stream.write_bytes(bytes(data))
        return len(data)

    def flush(self):
        pass


class RunStream:
    """sys.stdout or sys.stderr: what a run writes goes to its own client."""

    encoding = 'utf-8'
    errors = 'backslashreplace'
    mode = 'w'
    closed = False

    def __init__(self, kind, fallback):
        self._kind = kind
        self._fallback = fallback
        self.buffer = _Buffer(self)

    def write_bytes(self, data):
        run = current_run()
        if run is None:
            if self._fallback is not None:
                self._fallback.buffer.write(data)
                self._fallback.flush()
            return
        if data:
            run.send(self._kind, data)

    def write(self, text):
        self.write_bytes(str(text).encode(self.encoding, self.errors))
        return len(text)

    def writelines(self, lines):
        for line in lines:
            self.write(line)

    def flush(self):
        if self._fallback is not None and current_run() is None:
            self._fallback.flush()

    def isatty(self):
        return False

    def writable(self):
        return True

    def readable(self):
        return False

    def seekable(self):
        return False

    def fileno(self):
        raise io.UnsupportedOperation('fileno')


sys.stdout = RunStream(b'O', sys.__stdout__)
sys.stderr = RunStream(b'E', sys.__stderr__)


def _import_extractor():
    # The package is looked up as the extractor itself would: not beside
    # this script.
    here = os.path.dirname(os.path.abspath(__file__))
    sys.path[:] = [p for p in sys.path if os.path.abspath(p or '.') != here]
    if MODE == 'zip':
        sys.path.insert(0, EXTRACTOR)
    import yt_dlp

    base = yt_dlp.YoutubeDL

    class RunYoutubeDL(base):
        # Every download block passes here: a cancelled run stops at the
        # next one instead of writing on into a file the program has let go.
        def __init__(self, *args, **kwargs):
            super().__init__(*args, **kwargs)
            self.add_progress_hook(check_cancelled)
            if hasattr(self, 'add_postprocessor_hook'):
                self.add_postprocessor_hook(check_cancelled)

    # main() looks the class up in the package at every run.
    yt_dlp.YoutubeDL = RunYoutubeDL
    return yt_dlp


def _exit_code(exc):
    code = exc.code
    if code is None:
        return 0
    if isinstance(code, int):
        # As a process's exit status; negative codes are kept for signals.
        return code & 0xFF
    sys.stderr.write(str(code) + '\n')
    return 1


def _run_main(run, argv):
    code = 1
    try:
        try:
            _extractor.main(argv)
            code = 0
        except SystemExit as exc:
            code = _exit_code(exc)
        except Cancelled:
            code = -signal.SIGKILL
        except BaseException:
            traceback.print_exc()
            code = 1
    except BaseException:
        # Only a cancelled run's last words end up here.
        code = -signal.SIGKILL
    finally:
        with _state_lock:
            if _runs.get(run.pid) is run:
                del _runs[run.pid]
        run.ended.set()
        if not run.abandoned and not run.cancelled.is_set():
            # What its helpers said comes before the end of the run.
            for pump in run.pumps:
                pump.join(2.0)
            run.send(b'X', struct.pack('>i', code))
        try:
            run.conn.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass
        _touch()


def _touch():
    global _last_activity
    with _state_lock:
        _last_activity = time.monotonic()


def _peer_pid(conn):
    try:
        creds = conn.getsockopt(socket.SOL_SOCKET, socket.SO_PEERCRED, struct.calcsize('3i'))
        return struct.unpack('3i', creds)[0]
    except (OSError, AttributeError):
        return -1


def _refuse(conn, why):
    try:
        conn.sendall(_frame(b'N', why.encode()))
    except OSError:
        pass


def _serve_run(conn, payload):
    fields = _strings(payload)
    if len(fields) < 2:
        _refuse(conn, 'malformed')
        return
    fingerprint, cwd = fields[0].decode(), os.fsdecode(fields[1])
    if _extractor is None:
        _refuse(conn, 'the extractor could not be imported')
        return
    if fingerprint != FINGERPRINT:
        _refuse(conn, 'another environment')
        return
    if os.path.realpath(cwd) != os.path.realpath(os.getcwd()):
        _refuse(conn, 'another working folder')
        return
    argv = [os.fsdecode(a) for a in fields[2:]]
    pid = _peer_pid(conn)
    run = Run(conn, pid)
    with _state_lock:
        if _abandoned or _draining:
            refused = True
        else:
            refused = False
            _runs[pid] = run
    if refused:
        _refuse(conn, 'draining')
        return
    run.send(b'A', b'')
    thread = threading.Thread(target=_run_main, args=(run, argv), daemon=True)
    thread._quillon_run = run
    thread.start()
    # Anything more from the client, or its going away, ends the run.
    try:
        while not run.ended.is_set():
            kind, _ = _read_frame(conn)
            if kind is None:
                break
    except OSError:
        pass
    if not run.ended.is_set():
        run.cancel()


def _end_run(conn, payload):
    global _abandoned
    try:
        pid = int(payload.decode())
    except ValueError:
        pid = -2
    with _state_lock:
        run = _runs.get(pid)
    answer = 'none'
    if run is not None:
        run.cancel()
        if run.ended.wait(CANCEL_WAIT_SECONDS):
            answer = 'ended'
        else:
            run.abandoned = True
            with _state_lock:
                _abandoned += 1
            answer = 'abandoned'
    try:
        conn.sendall(_frame(b'D', answer.encode()))
    except OSError:
        pass


def _handle(conn):
    try:
        kind, payload = _read_frame(conn)
        if kind == b'Q':
            _serve_run(conn, payload)
        elif kind == b'K':
            _end_run(conn, payload)
    except OSError:
        pass
    finally:
        _touch()
        try:
            conn.close()
        except OSError:
            pass


_draining = False


def _live_runs():
    with _state_lock:
        return sum(1 for r in _runs.values() if not r.abandoned)


def _quit(*_):
    with _state_lock:
        runs = list(_runs.values())
    for run in runs:
        run.cancel()
    try:
        os.unlink(SOCKET_PATH)
    except OSError:
        pass
    os._exit(0)


def main():
    global _extractor, _draining
    signal.signal(signal.SIGTERM, _quit)
    listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    # The socket appears under its name only once it listens: a client that
    # finds it but cannot connect knows the worker is gone.
    listener.bind(SOCKET_PATH + '.new')
    os.chmod(SOCKET_PATH + '.new', 0o600)
    listener.listen(64)
    os.rename(SOCKET_PATH + '.new', SOCKET_PATH)
    # Clients may connect while the package loads; they wait in the backlog.
    try:
        _extractor = _import_extractor()
    except BaseException:
        traceback.print_exc(file=_real_stderr)
    listener.settimeout(1.0)
    while True:
        with _state_lock:
            idle = not _runs and time.monotonic() - _last_activity > IDLE_SECONDS
            stuck = _abandoned > 0
        if idle:
            _quit()
        if stuck:
            # A run that would not stop may still hold files: take no new
            # runs (their clients start the extractor themselves), and end
            # once the others are done.
            _draining = True
            if _live_runs() == 0:
                _quit()
        try:
            conn, _ = listener.accept()
        except socket.timeout:
            continue
        except OSError:
            time.sleep(0.05)
            continue
        conn.settimeout(None)
        _touch()
        threading.Thread(target=_handle, args=(conn,), daemon=True).start()


main()
