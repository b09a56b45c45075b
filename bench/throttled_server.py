#!/usr/bin/python3
"""Serves a folder on 127.0.0.1 with every connection capped at a byte rate.

    throttled_server.py FOLDER PORT BYTES_PER_SECOND
"""

import functools
import http.server
import sys
import time


class Throttled(http.server.SimpleHTTPRequestHandler):
    rate = 400000

    def copyfile(self, source, outputfile):
        chunk = 16384
        start = time.monotonic()
        sent = 0
        while True:
            data = source.read(chunk)
            if not data:
                return
            outputfile.write(data)
            sent += len(data)
            ahead = sent / self.rate - (time.monotonic() - start)
            if ahead > 0:
                time.sleep(ahead)

    def log_message(self, *args):
        pass


def main():
    folder, port, rate = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    Throttled.rate = rate
    handler = functools.partial(Throttled, directory=folder)
    http.server.ThreadingHTTPServer(("127.0.0.1", port), handler).serve_forever()


if __name__ == "__main__":
    main()
