#!/usr/bin/env python3
"""A small update server on 127.0.0.1 for the Wine tests, the demo and the benchmark.

  update_server.py start PORT_FILE   serve in the background; the port is written to PORT_FILE,
                                     that of the https listener to PORT_FILE.https
  update_server.py stop PORT_FILE    stop the server started with that PORT_FILE

Every case has a folder of its own, so each has its own URL and no cache entry mixes them:
  /<case>/downloads/ReportAbug.Zip   the bug-report address file of the cases in ADDRESS_FILES
  /bytes/<n>                         n bytes with a Content-Length
  /stream/<n>                        n bytes without one (the connection's close ends them)
  /page/<name>                       a small web page; the paths asked for are noted
  /pages-asked                       those paths, one a line, in order
anything else is 404. The "browser" and "demo" cases name the server's own page
/page/report-a-bug.
Servers that misbehave, each for at most STALL_SECONDS (or until the client lets go):
  /silent/downloads/ReportAbug.Zip   reads the request and says nothing
  /trickle/downloads/ReportAbug.Zip  promises 64 bytes and sends one every 2 seconds
  /endless/downloads/ReportAbug.Zip  a body without a length that never ends
  /loop/...                          302 to /loop/again, which sends it back: for ever
The https listener serves the same with a self-signed certificate, made at start with
Debian's openssl, which no client should accept.
The server stops by itself after MAX_LIFETIME seconds.
"""
import http.server
import os
import shutil
import signal
import ssl
import subprocess
import sys
import tempfile
import threading
import time

ADDRESS_FILES = {
    "multi": b"https://bugs.tesklumora.com/report?product=42\r\nsecond line\r\nthird line\r\n",
    "demo": b"http://127.0.0.1:%(port)d/page/report-a-bug\r\n",
    "browser": b"http://127.0.0.1:%(port)d/page/report-a-bug\r\n",
}
PAGE = b"<html><head><title>Report a Bug</title></head><body><h1>Report a Bug</h1></body></html>"
BLOCK = bytes(range(256)) * 256  # 64 KiB
MAX_LIFETIME = 1200
STALL_SECONDS = 60


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def do_GET(self):
        parts = self.path.strip("/").split("/")
        if parts[0] in ("silent", "trickle", "endless", "loop"):
            getattr(self, parts[0])()
        elif len(parts) == 3 and parts[1:] == ["downloads", "ReportAbug.Zip"] \
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

    def silent(self):
        self.connection.settimeout(STALL_SECONDS)
        try:
            self.connection.recv(1)  # returns when the client closes
        except OSError:
            pass

    def trickle(self):
        self.stall(64, (b"x" for _ in range(64)), 2)

    def endless(self):
        self.stall(None, iter(lambda: BLOCK, None), 0)

    def loop(self):
        self.send_response(302)
        there = "/loop/again" if self.path != "/loop/again" else "/loop/downloads/ReportAbug.Zip"
        self.send_header("Location", there)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def stall(self, length, chunks, pause):
        ends = time.monotonic() + STALL_SECONDS
        try:
            self.reply(length, [])
            for chunk in chunks:
                if time.monotonic() > ends:
                    break
                self.wfile.write(chunk)
                self.wfile.flush()
                time.sleep(pause)
        except OSError:
            pass

    @staticmethod
    def blocks(size):
        while size > 0:
            yield BLOCK[:min(size, len(BLOCK))]
            size -= len(BLOCK)

    def log_message(self, *args):
        pass


def self_signed_context():
    folder = tempfile.mkdtemp()
    try:
        key, cert = os.path.join(folder, "key.pem"), os.path.join(folder, "cert.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=127.0.0.1", "-keyout", key, "-out", cert],
                       check=True, capture_output=True)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)
        return context
    finally:
        shutil.rmtree(folder)


def start(port_file):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    secure = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    secure.socket = self_signed_context().wrap_socket(secure.socket, server_side=True)
    server.pages_asked = secure.pages_asked = []
    if os.fork():
        return
    os.setsid()
    devnull = os.open(os.devnull, os.O_RDWR)
    for fd in (0, 1, 2):
        os.dup2(devnull, fd)
    threading.Timer(MAX_LIFETIME, lambda: os._exit(0)).start()
    with open(port_file + ".pid", "w") as pid:
        pid.write(str(os.getpid()))
    with open(port_file + ".https", "w") as port:
        port.write(str(secure.server_address[1]))
    with open(port_file + ".tmp", "w") as port:
        port.write(str(server.server_address[1]))
    os.rename(port_file + ".tmp", port_file)
    threading.Thread(target=secure.serve_forever, daemon=True).start()
    server.serve_forever()


def stop(port_file):
    try:
        with open(port_file + ".pid") as pid:
            os.kill(int(pid.read()), signal.SIGTERM)
    except (OSError, ValueError):
        pass
    for name in (port_file, port_file + ".pid", port_file + ".https"):
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
