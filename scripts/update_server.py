#!/usr/bin/env python3
"""A small update server on 127.0.0.1 for the Wine tests, the demo and the benchmark.

  update_server.py start PORT_FILE   serve in the background; the port is written to PORT_FILE
  update_server.py stop PORT_FILE    stop the server started with that PORT_FILE

Every case has a folder of its own, so each has its own URL and no cache entry mixes them:
  /<case>/downloads/ReportAbug.Zip   the bug-report address file of the cases in ADDRESS_FILES
  /bytes/<n>                         n bytes with a Content-Length
  /stream/<n>                        n bytes without one (the connection's close ends them)
  /page/<name>                       a small web page; the paths asked for are noted
  /pages-asked                       those paths, one a line, in order
anything else is 404. The "browser" and "demo" cases name the server's own page
/page/report-a-bug.
The server stops by itself after MAX_LIFETIME seconds.
"""
import http.server
import os
import signal
import sys
import threading
import time

ADDRESS_FILES = {
    "multi": b"https://bugs.tesklumora.com/report?product=42\r\nsecond line\r\nthird line\r\n",
    "emptyfirst": b"\r\nhttps://bugs.tesklumora.com/never-read\r\n",
    "demo": b"http://127.0.0.1:%(port)d/page/report-a-bug\r\n",
    "browser": b"http://127.0.0.1:%(port)d/page/report-a-bug\r\n",
}
PAGE = b"<html><head><title>Report a Bug</title></head><body><h1>Report a Bug</h1></body></html>"
BLOCK = bytes(range(256)) * 256  # 64 KiB
MAX_LIFETIME = 1200


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def do_GET(self):
        parts = self.path.strip("/").split("/")
        if len(parts) == 3 and parts[1:] == ["downloads", "ReportAbug.Zip"] \
                and parts[0] in ADDRESS_FILES:
            body = ADDRESS_FILES[parts[0]] % {b"port": self.server.server_address[1]}
            self.reply(len(body), [body])
        elif len(parts) == 2 and parts[0] == "page":
            self.server.pages_asked.append(self.path)
            self.reply(len(PAGE), [PAGE], "text/html")
        elif parts == ["pages-asked"]:
            body = "".join(path + "\n" for path in self.server.pages_asked).encode()
            self.reply(len(body), [body])
        elif len(parts) == 2 and parts[0] in ("bytes", "stream") and parts[1].isdigit():
            size = int(parts[1])
            self.reply(size if parts[0] == "bytes" else None, self.blocks(size))
        else:
            self.send_error(404)

    def reply(self, length, chunks, content_type="application/octet-stream"):
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        self.send_header("Cache-Control", "no-store")
        if length is not None:
            self.send_header("Content-Length", str(length))
        self.end_headers()
        for chunk in chunks:
            self.wfile.write(chunk)

    @staticmethod
    def blocks(size):
        while size > 0:
            yield BLOCK[:min(size, len(BLOCK))]
            size -= len(BLOCK)

    def log_message(self, *args):
        pass


def start(port_file):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.pages_asked = []
    if os.fork():
        return
    os.setsid()
    devnull = os.open(os.devnull, os.O_RDWR)
    for fd in (0, 1, 2):
        os.dup2(devnull, fd)
    threading.Timer(MAX_LIFETIME, lambda: os._exit(0)).start()
    with open(port_file + ".pid", "w") as pid:
        pid.write(str(os.getpid()))
    with open(port_file + ".tmp", "w") as port:
        port.write(str(server.server_address[1]))
    os.rename(port_file + ".tmp", port_file)
    server.serve_forever()


def stop(port_file):
    try:
        with open(port_file + ".pid") as pid:
            os.kill(int(pid.read()), signal.SIGTERM)
    except (OSError, ValueError):
        pass
    for name in (port_file, port_file + ".pid"):
        if os.path.exists(name):
            os.remove(name)


def main():
    command, port_file = sys.argv[1], os.path.abspath(sys.argv[2])
    if command == "start":
        stop(port_file)
        start(port_file)
        for _ in range(600):  # the parent returns once the server listens (30 s at most)
            if os.path.exists(port_file):
                return 0
            time.sleep(0.05)
        return 1
    stop(port_file)
    return 0


if __name__ == "__main__":
    sys.exit(main())
