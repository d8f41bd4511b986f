"""HTTPS answers for the update check's tests, one listening port per case.

    feed_server.py FOLDER RUNNING_VERSION

FOLDER holds trusted.pem/.key (a server certificate for 127.0.0.1 signed by
the test's own authority) and untrusted.pem/.key (one signed by an authority
nobody trusts). Once every port listens, FOLDER/ports lists "case port" lines;
the server then runs until it is killed.
"""
import http.server
import os
import socket
import ssl
import sys
import threading

folder, running = sys.argv[1], sys.argv[2]
major, minor, patch = (int(p) for p in running.split("."))
newer = f"{major}.{minor}.{patch + 1}"


def feed(*builds):
    entries = ",".join(
        '{"version": "%s", "released": "2026-02-01", "license_date": "2026-01-15", "security": %s}'
        % (version, "true" if security else "false")
        for version, security in builds
    )
    return ('{"product": "quarn", "builds": [%s]}' % entries).encode()


ports = {}


def handler(status, body=b"", headers=()):
    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            if self.path != "/updates/quarn.json":
                self.send_error(400)
                return
            self.send_response(status)
            for name, value in headers:
                self.send_header(name, value() if callable(value) else value)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *args):
            pass

    return Handler


def serve(name, certificate, handler_class):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler_class)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(os.path.join(folder, certificate + ".pem"), os.path.join(folder, certificate + ".key"))
    server.socket = context.wrap_socket(server.socket, server_side=True)
    ports[name] = server.server_address[1]
    threading.Thread(target=server.serve_forever, daemon=True).start()


def silent(name):
    # Accepts connections and never says a word, not even the TLS greeting.
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    ports[name] = listener.getsockname()[1]
    held = []
    threading.Thread(target=lambda: [held.append(listener.accept()) for _ in iter(int, 1)], daemon=True).start()


newer_security = feed((running, False), (newer, True))
serve("newer", "trusted", handler(200, newer_security))
serve("equal", "trusted", handler(200, feed((running, False))))
serve("missing", "trusted", handler(404, b"not here"))
# If the redirect were followed it would reach a good feed and succeed.
serve("moved", "trusted",
      handler(301, b"", [("Location", lambda: "https://127.0.0.1:%d/updates/quarn.json" % ports["newer"])]))
oversized = newer_security[:-2] + b" " * (262144 - len(newer_security) + 1) + newer_security[-2:]
serve("oversized", "trusted", handler(200, oversized))
serve("untrusted", "untrusted", handler(200, newer_security))
silent("silent")


def mute(name):
    # Completes the TLS greeting, reads the request and never answers it.
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    ports[name] = listener.getsockname()[1]
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(os.path.join(folder, "trusted.pem"), os.path.join(folder, "trusted.key"))
    held = []

    def run():
        while True:
            connection, _ = listener.accept()
            try:
                secure = context.wrap_socket(connection, server_side=True)
                secure.recv(4096)
                held.append(secure)
            except (OSError, ssl.SSLError):
                connection.close()

    threading.Thread(target=run, daemon=True).start()


mute("mute")

with open(os.path.join(folder, "ports.tmp"), "w") as out:
    for name, port in ports.items():
        out.write(f"{name} {port}\n")
os.replace(os.path.join(folder, "ports.tmp"), os.path.join(folder, "ports"))
threading.Event().wait()
