#!/usr/bin/python3
"""Serves a folder on 127.0.0.1 with every connection capped at a byte rate,
answering Range requests.

    throttled_range_server.py FOLDER BYTES_PER_SECOND [PORT]

Listens on PORT (by default a free one), prints that port, then one line per
request: "GET <path> range=<Range header or ->".
"""

import functools
import http.server
import os
import re
import sys
import time


class Handler(http.server.SimpleHTTPRequestHandler):
    rate = 20000

    def send_head(self):
        print("GET %s range=%s" % (self.path, self.headers.get("Range", "-")), flush=True)
        path = self.translate_path(self.path)
        if not os.path.isfile(path):
            self.send_error(404)
            return None
        size = os.path.getsize(path)
        start = 0
        match = re.match(r"bytes=(\d+)-$", self.headers.get("Range", ""))
        source = open(path, "rb")
        if match and int(match.group(1)) < size:
            start = int(match.group(1))
            source.seek(start)
            self.send_response(206)
            self.send_header("Content-Range", "bytes %d-%d/%d" % (start, size - 1, size))
        else:
            self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Length", str(size - start))
        self.send_header("Accept-Ranges", "bytes")
        self.end_headers()
        return source

    def copyfile(self, source, outputfile):
        # Small pieces keep a slow rate smooth; fast rates need fewer wake-ups.
        chunk = max(4096, self.rate // 25)
        begin = time.monotonic()
        sent = 0
        while True:
            data = source.read(chunk)
            if not data:
                return
            outputfile.write(data)
            sent += len(data)
            ahead = sent / self.rate - (time.monotonic() - begin)
            if ahead > 0:
                time.sleep(ahead)

    def log_message(self, *args):
        pass


def main():
    Handler.rate = int(sys.argv[2])
    handler = functools.partial(Handler, directory=sys.argv[1])
    port = int(sys.argv[3]) if len(sys.argv) > 3 else 0
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    server.daemon_threads = True
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
