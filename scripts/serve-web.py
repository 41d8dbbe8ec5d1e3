#!/usr/bin/env python3
"""Serves a folder of the web edition on 127.0.0.1 until stopped.

Usage: serve-web.py FOLDER [PORT]   (PORT 0 or none: a free port)
Prints the address on its first line once it listens; a port in use is one
line on stderr and exit status 1; a folder that is not there, or a wrong
argument, is status 2; --help prints this and exits 0.
"""
import argparse
import functools
import os
import http.server
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
        ".mjs": "text/javascript",
        ".webmanifest": "application/manifest+json",
        ".svg": "image/svg+xml",
        ".html": "text/html; charset=utf-8",
        ".css": "text/css",
    }

    def end_headers(self):
        # Every file is asked for again, so a new build shows at once; no
        # file is taken for another type than it is sent as.
        self.send_header("Cache-Control", "no-cache")
        self.send_header("X-Content-Type-Options", "nosniff")
        super().end_headers()

    def log_message(self, format, *args):  # quiet: the address line is all
        pass


class Server(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        # A browser that closes a connection early is no fault of the site.
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)


def arguments():
    parser = argparse.ArgumentParser(
        prog="serve-web.py", description=__doc__.split("\n")[0],
        epilog="\n".join(__doc__.splitlines()[3:]),
        formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("folder", help="the built site, e.g. build-web/web/site")
    parser.add_argument("port", nargs="?", type=int, default=0, help="0 or none: a free port")
    args = parser.parse_args()
    if not os.path.isdir(args.folder):
        parser.error(f"no folder {args.folder}")
    return args.folder, args.port


def main():
    folder, port = arguments()
    handler = functools.partial(Handler, directory=folder)
    try:
        server = Server(("127.0.0.1", port), handler)
    except OSError as fault:
        print(f"serve-web: cannot listen on 127.0.0.1:{port}: {fault.strerror}", file=sys.stderr)
        sys.exit(1)
    with server:
        print(f"http://127.0.0.1:{server.server_address[1]}/", flush=True)
        print(f"Serving {folder} until stopped with Ctrl+C", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
