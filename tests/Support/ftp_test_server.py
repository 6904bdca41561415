# ftp_test_server.py - a loopback FTP server for the deck upload tests, run
# by tests/Support/FtpTestServer with Debian's /usr/bin/python3 and its
# python3-pyftpdlib.
#
#   ftp_test_server.py <root folder> <user> <password> <rw|ro>
#
# Listens on 127.0.0.1 at a port the system picks and prints that port on
# its first line; the one account's home is the root folder, writable (rw)
# or read-only (ro). Runs until it is killed.
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    root, user, password, mode = sys.argv[1:5]
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmw" if mode == "rw" else "elr")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.banner = "test server"
    server = FTPServer(("127.0.0.1", 0), handler)
    print(server.socket.getsockname()[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
