# ftp_test_server.py - a loopback FTP server for the deck upload tests, run
# by tests/Support/FtpTestServer with Debian's /usr/bin/python3 and its
# python3-pyftpdlib.
#
#   ftp_test_server.py <root folder> <user> <password> <rw|ro> [confirm|withhold|trickle]
#
# Listens on 127.0.0.1 at a port the system picks and prints that port on
# its first line; the one account's home is the root folder, writable (rw)
# or read-only (ro). Runs until it is killed.
#
# The last word says what becomes of the "226" reply that confirms a
# finished transfer: sent (confirm, the default), never sent (withhold; the
# file is stored all the same), or sent one byte every half second
# (trickle).
import asynchat
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


class ConfirmingHandler(FTPHandler):
    confirm = "confirm"

    def respond(self, resp, *args, **kwargs):
        if not resp.startswith("226 ") or self.confirm == "confirm":
            FTPHandler.respond(self, resp, *args, **kwargs)
        elif self.confirm == "trickle":
            self._trickle((resp + "\r\n").encode("ascii"))
        # withhold: the client waits for a word that never comes

    def _trickle(self, rest):
        if rest and self.connected:
            asynchat.async_chat.push(self, rest[:1])
            self.ioloop.call_later(0.5, self._trickle, rest[1:])


def main():
    root, user, password, mode = sys.argv[1:5]
    confirm = sys.argv[5] if len(sys.argv) > 5 else "confirm"
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmw" if mode == "rw" else "elr")
    handler = ConfirmingHandler
    handler.confirm = confirm
    handler.authorizer = authorizer
    handler.banner = "test server"
    server = FTPServer(("127.0.0.1", 0), handler)
    print(server.socket.getsockname()[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
