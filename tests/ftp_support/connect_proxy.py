#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A proxy that tunnels CONNECT requests, for the exchange tests.

Prints the port it listens on as the first line of its output and writes the
target of every tunnel it opens to the log file, one line each.
"""
import argparse
import socket
import sys
import threading


def relay(source, target):
    try:
        while True:
            data = source.recv(65536)
            if not data:
                break
            target.sendall(data)
    except OSError:
        pass
    finally:
        for end in (source, target):
            try:
                end.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass


def tunnel(client, log):
    request = b""
    while b"\r\n\r\n" not in request:
        data = client.recv(4096)
        if not data:
            client.close()
            return
        request += data
    words = request.split(b"\r\n")[0].split()
    if len(words) < 2 or words[0] != b"CONNECT":
        client.sendall(b"HTTP/1.1 405 Only CONNECT\r\n\r\n")
        client.close()
        return
    host, port = words[1].decode().rsplit(":", 1)
    with open(log, "a") as out:
        out.write("%s:%s\n" % (host, port))
    try:
        server = socket.create_connection((host, int(port)))
    except OSError:
        client.sendall(b"HTTP/1.1 502 Unreachable\r\n\r\n")
        client.close()
        return
    client.sendall(b"HTTP/1.1 200 Connection established\r\n\r\n")
    threading.Thread(target=relay, args=(server, client), daemon=True).start()
    relay(client, server)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--log", required=True)
    args = parser.parse_args()
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    print(listener.getsockname()[1], flush=True)
    while True:
        client, _ = listener.accept()
        threading.Thread(target=tunnel, args=(client, args.log), daemon=True).start()


if __name__ == "__main__":
    sys.exit(main())
