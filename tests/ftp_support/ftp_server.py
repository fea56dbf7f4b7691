#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The loopback FTP server of the exchange tests and the benchmark.

Serves one folder to one account on 127.0.0.1, prints the port it listens on
as the first line of its output and runs until it is killed. Options make it
misbehave the ways real servers and networks do: refuse active mode, take
PORT and never connect back (a firewall between), refuse renames, cut the
connection in the middle of an upload, crawl like a slow link, or answer the
listing of the root folder with bytes of the test's choosing.
"""
import argparse
import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


def make_handler(args):
    canned_listing = None
    if args.listing:
        with open(args.listing, "rb") as listing:
            canned_listing = listing.read()

    class Handler(FTPHandler):
        # A refused login is answered at once; the tests do not guess passwords.
        auth_failed_timeout = 0
        logged_in = 0
        most_logged_in = 0

        # Sessions count from login to QUIT: the client waits for the answer
        # to QUIT before it lets the next job connect, so the count never
        # overlaps two jobs by accident of timing.
        def on_login(self, username):
            self.counted = True
            Handler.logged_in += 1
            Handler.most_logged_in = max(Handler.most_logged_in, Handler.logged_in)
            self.record_sessions()

        def ftp_QUIT(self, line):
            self.leave()
            return super().ftp_QUIT(line)

        def on_disconnect(self):
            self.leave()

        def leave(self):
            if getattr(self, "counted", False):
                self.counted = False
                Handler.logged_in -= 1
                self.record_sessions()

        def record_sessions(self):
            if args.sessions:
                with open(args.sessions + ".new", "w") as out:
                    out.write("%d %d\n" % (Handler.logged_in, Handler.most_logged_in))
                os.replace(args.sessions + ".new", args.sessions)

        def pre_process_command(self, line, cmd, arg):
            if args.commands and cmd != "PASS":
                with open(args.commands, "a") as out:
                    out.write(line + "\n")
            return super().pre_process_command(line, cmd, arg)

        def ftp_PORT(self, line):
            return self.active_mode(line, super().ftp_PORT)

        def ftp_EPRT(self, line):
            return self.active_mode(line, super().ftp_EPRT)

        def active_mode(self, line, serve):
            if args.refuse_active:
                return self.respond("500 Active mode is not allowed here.")
            if args.no_connect_back:
                # Agrees, then the transfer waits for a data connection
                # that a firewall keeps from ever arriving.
                return self.respond("200 Active data connection established.")
            return serve(line)

        def ftp_RNFR(self, path):
            if args.refuse_rename:
                return self.respond("550 Renaming is not allowed here.")
            return super().ftp_RNFR(path)

        def ftp_LIST(self, path):
            if canned_listing is not None and self.fs.fs2ftp(path) == "/":
                self.push_dtp_data(canned_listing, cmd="LIST")
                return path
            return super().ftp_LIST(path)

    if args.cut_after:
        class Cutting(DTPHandler):
            # The link drops in the middle of an upload: both connections
            # go at once, without a reply.
            def handle_read(self):
                super().handle_read()
                if self.tot_bytes_received >= args.cut_after:
                    self.cmd_channel.close()

            handle_read_event = handle_read

        Handler.dtp_handler = Cutting

    if args.rate:
        class Throttled(ThrottledDTPHandler):
            read_limit = args.rate
            write_limit = args.rate

        Handler.dtp_handler = Throttled
    return Handler


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", default="tester")
    parser.add_argument("--password", default="secret")
    parser.add_argument("--refuse-active", action="store_true")
    parser.add_argument("--no-connect-back", action="store_true",
                        help="accept PORT and never open the data connection")
    parser.add_argument("--refuse-rename", action="store_true")
    parser.add_argument("--cut-after", type=int, default=0,
                        help="drop the session once an upload has sent this many bytes")
    parser.add_argument("--rate", type=int, default=0,
                        help="bytes per second on every data connection")
    parser.add_argument("--listing",
                        help="file whose bytes answer every listing of the root folder")
    parser.add_argument("--commands", help="file that receives every command but PASS")
    parser.add_argument("--sessions",
                        help="file that receives the sessions logged in now and at most")
    args = parser.parse_args()

    logging.basicConfig(level=logging.ERROR)
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, os.path.abspath(args.root), perm="elradfmwMT")
    handler = make_handler(args)
    handler.authorizer = authorizer
    server = FTPServer(("127.0.0.1", 0), handler)
    print(server.socket.getsockname()[1], flush=True)
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    sys.exit(main())
