#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into fuzz/corpus/<target>/.

The seeds are the messages, files and texts the unit, Win32 and end-to-end tests use, in
each target's input layout (see the comment at the top of each fuzz/*_fuzzer.cpp). With
--server <path to tavlora-server> it also records a demo login with its whole lobby and
a few seconds of lobby changes from the development server.

    python3 fuzz/make_seeds.py [--server build/native/server/tavlora-server]
"""
import argparse
import base64
import os
import socket
import subprocess
import time

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def write(target, name, data):
    folder = os.path.join(ROOT, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# ---- inbound: one control byte, then the server's byte stream ----------------------
LOGIN_FIELDS = 1
WINDOWS_OPEN = 4
REPORTS_DURING_SENDS = 8
READS_AT_BANG = bytes([LOGIN_FIELDS])  # every read ends after a "!"
WINDOWS = bytes([LOGIN_FIELDS | WINDOWS_OPEN | REPORTS_DURING_SENDS])


def reads_of(longest):
    """Reads of 1 to `longest` (a multiple of 64) bytes."""
    return bytes([LOGIN_FIELDS | longest // 64 << 4])

MESSAGES = [
    b"4,11,5,!5,13,42,2,0,!",
    b"2,4,!2,6,!2,3,!2,x,!2,4,!2,5,!",
    b"8,99,x,!9,9,0,!10,115,0,!11,200,0,!12,abc,0,!0,15,0,!-4,22,1,!",
    b"7,!!3,4!x,y,!!!!,!,,!",
    b"6,14,12345,100000,7,!7,14,12345,99999,7,!",
    b"1,13,5,1,2,!1,13,5,1,1,!1,13,5,1,!",
    b"1,15,0,!2,10,0:0:0:1:0:100:0:0:0,!3,99,0,!",
    b"1,11,2,!",
    b"1,11,3,!",
    b"1,11,4,!",
    b"1,12,0,!2,16,3,!",
    b"1,16,1,!",
    b"1,16,3,!xyz!",
    b"1,15,\x00xx!",
    b"3,91,TmV1OiBSw6R1bWU=,!",
    b"1,61,a,!2,61,b,!3,61,c,!",
    b"1,32,5,!2,38,5,!4,54,7,!12,112,5001,!53,101,2,!",
    b"1,11,5,!2,13,1001,1,0,!3,14,12345,99999,7,!4,15,0,!",
    b"1,13,1001,1,0,!2,21,7:Zo\xc3\xab:3:4;1001:me:0:4;8:bob:0:1;,!3,31,5:Salon:2:0;,!"
    b"4,51,60:7:0;61:8:1;62:12:2;,!5,71,40:5:2:3:4:7:1001:7:8:9:10:11:12:13:14:15:0:0;,!"
    b"6,101,77:5:40:7:1001:0,!7,101,78:5:40:7:1001:3,!8,103,77,-2,!9,17,7,3,!"
    b"10,61,7,hi,!11,61,14,hello,!12,52,2,!13,62,1,Ym9i,!14,62,2,YW5u,!15,22,7,!16,73,40,!",
]
DRAIN_AT_END = 2


def inbound_seeds():
    for number, stream in enumerate(MESSAGES):
        write("inbound", "test-%02d" % number, READS_AT_BANG + stream)
        write("inbound", "test-%02d-cut" % number, reads_of(64) + stream)
    # Messages queued behind an error box (type 62), which drains them meanwhile.
    write("inbound", "error-box", bytes([LOGIN_FIELDS | DRAIN_AT_END]) + MESSAGES[-1])


def record_server(server):
    """A demo login's bytes from the server: greeting, lobby and lobby changes."""
    process = subprocess.Popen(
        [server, "--inbound-port", "0", "--outbound-port", "0", "--no-ack-wait",
         "--lobby-changes", "20", "--log", os.devnull], stdout=subprocess.PIPE, text=True)
    try:
        words = process.stdout.readline().split()
        inbound = socket.create_connection(("127.0.0.1", int(words[2])))
        token = inbound.recv(100).decode().split(",")[1]
        outbound = socket.create_connection(("127.0.0.1", int(words[3])))
        outbound.sendall(f"73,{token},!".encode())
        outbound.recv(10)
        credentials = base64.b64encode(b"demo,demo1234").decode()
        outbound.sendall(f"1,11,{credentials},!".encode())
        inbound.settimeout(0.5)
        data, end = b"", time.time() + 4
        while time.time() < end:
            try:
                chunk = inbound.recv(65536)
            except socket.timeout:
                continue
            if not chunk:
                break
            data += chunk
        return data
    finally:
        process.terminate()
        process.wait()


def server_seeds(server):
    stream = record_server(server)
    lobby_end = stream.index(b",15,0,!") + len(b",15,0,!")
    lobby, changes = stream[:lobby_end], stream[lobby_end:]
    write("inbound", "server-lobby", READS_AT_BANG + lobby)
    write("inbound", "server-lobby-cut", reads_of(512) + lobby)
    write("inbound", "server-lobby-windows", WINDOWS + lobby)
    # The changes in pieces of about 2 KB, each cut at a message's end.
    piece, count = b"", 0
    for message in changes.split(b"!")[:-1]:
        piece += message + b"!"
        if len(piece) > 2000:
            write("inbound", "server-changes-%d" % count, READS_AT_BANG + piece)
            piece, count = b"", count + 1
    # The short lobby below, then changes, with every window open.
    changes_short = b"".join(m + b"!" for m in changes.split(b"!")[:60])
    # One message of every type in the lobby, the long lists cut to three records.
    short = b""
    for message in lobby.split(b"!")[:-1]:
        fields = message.split(b",")
        if len(fields) >= 3 and b";" in fields[2]:
            fields[2] = b";".join(fields[2].split(b";")[:3]) + b";"
        short += b",".join(fields) + b"!"
    write("inbound", "server-lobby-short", READS_AT_BANG + short)
    write("inbound", "server-lobby-short-windows", WINDOWS + short + changes_short)


# ---- config_ini: the file's bytes ---------------------------------------------------
FILLER = b"korbTANEWLpivmsu"


def config_ini(inner):
    middle = base64.b64encode(inner)
    out = b""
    for group in range(0, len(middle), 3):
        out += middle[group:group + 3] + FILLER[(group // 3) % len(FILLER):][:1]
    return out


CONFIG_INNER = [
    b"73!1 100 50!2 980 0 300 400!!4 1!5 1!6 1!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!"
    b"16 1!17 1!18 1!19 1!20 1!21 1!22 0!23 1!24 0!25 0!26 1!27 1!28 1!29 1!",
    b"73!1 -20 30!2 1 2 3 4!3 demo demo1234!!4 2!8 1!30 12 130 140!30 7 -639 -479!31 4 5 6!",
    b"73!3 Zo\xc3\xab p\xc3\xa4ss!4 4!11 7!12 7!13 2!14 2!",
    b"!!73!!8 1!!", b"70!8 1!", b"69!8 1!", b"73 1!8 1!", b"x!8 1!",
    b"73!4 3!4 0!5 0!5 1!22 1!22 0!28 0!28 1!8 1!8 9!",
    b"73!8 1 2!8!8  1!8 1 !99 1!0 1!-8 1!1 5!2 1 2 3!",
    b"73!8 4!5 0!30 1 1 2!30 2 1 2!99 \x00\x00\x00!9 1!",
]


def config_ini_seeds():
    for number, inner in enumerate(CONFIG_INNER):
        write("config_ini", "test-%02d" % number, config_ini(inner))
    write("config_ini", "short", b"NzMk")


# ---- config_dat: the file's bytes ---------------------------------------------------
def config_dat_seeds():
    face = "Tahoma".encode("utf-16-le")
    logfont = (-13).to_bytes(4, "little", signed=True) + bytes(12) + (400).to_bytes(4, "little")
    logfont += bytes(8) + face
    logfont += bytes(92 - len(logfont))
    write("config_dat", "tahoma", logfont + bytes([0x00, 0x00, 0x80, 0x00]))
    write("config_dat", "zero", bytes(96))
    write("config_dat", "short", bytes(95))


# ---- base64 and utf8: the text ------------------------------------------------------
def text_seeds():
    for number, text in enumerate([b"TmV1OiBSw6R1bWU=", b"QQ==", b"ZGVtbyxkZW1vMTIzNA==",
                                   b"Z3LDvMOf", b"QzpcY2ZnXGNvbmZpZy5kYXQ=", b"NzMh", b"N"]):
        write("base64", "test-%02d" % number, text)
    for number, text in enumerate(["Zoë", "Sokół_de", "Pokój dla początkujących", "Übungsraum",
                                   "𝄞 ok", "Neu: Räume"]):
        write("utf8", "test-%02d" % number, text.encode())
    write("utf8", "malformed", b"\xc3\x28\xe0\x80\xaf\xf0\x9f\x98\xed\xa0\x80\xf4\x90\x80\x80\xff")
    write("utf8", "utf16", "Zoë 𝄞".encode("utf-16-le") + b"\x00\xd8")


# ---- relay: control byte, then records <byte><length, 2 bytes><data> ------------------
def records(*pairs):
    out = b""
    for code, data in pairs:
        out += bytes([code]) + len(data).to_bytes(2, "little") + data
    return out


SERVER, ENTER_ROOM, ROOM_GONE, TABLE_REQUEST, TABLE_GONE, TEST = 0, 200, 229, 231, 236, 255
HUB_WINDOWS, HUB_REENTRANT = 8, 16


def relay_seeds():
    room, board = b"\x00", b"\x01"
    write("relay", "room", room + records(
        (21, b"KXMessage,2001:Anna:1600:3;2002:Zo\xc3\xab:1700:4;\x00"),
        (51, b"KXMessage,101:2001:0;\x00"),
        (32, b"KXMessage,7001:2001;7002:2002;\x00"),
        (71, b"KXMessage,5001:1:5:500:2001:2002:30:0:0:0:0:0:0:0:0:0:0;\x00"),
        (72, b"KXMessage,9001:5001:2001;9002:5001:2002;\x00"),
        (31, b"KXMessage,South,2\x00"), (38, b"KXMessage,7002\x00"),
        (120, b"KXMessage,2001:Z3LDvMOf\x00"), (122, b"KXMessage,2001:3:5\x00"),
        (17, b"KXMessage,2001,0\x00"), (53, b"KXMessage,101,2\x00"), (39, b"KXMessage,5001:2\x00"),
        (73, b"5001\x00"), (22, b"KXMessage,2002\x00"), (54, b"KXMessage,101\x00")))
    write("relay", "board", board + records(
        (21, b"KXMessage,5:Zo\xc3\xab:1500:3;\x01\\\n\x00"), (31, b"ab"), (32, b"ab\x00cd\x00"),
        (72, b"KXMessage,9001:2001;\x00"), (121, b"KXMessage,2001:Q2lhbyBhIHR1dHRp\x00"),
        (73, b"KXMessage,7\x00"), (112, b"KXMessage,9001\x00")))
    write("relay", "tests", room + records(
        (TEST, b"relay 100 32,5,!\x00"), (TEST, b"notify 31 7\x00"), (TEST, b"raw 5 x\x00y\x00"),
        (TEST, b"jump\x00"), (TEST, b"chat gg\x00"), (TEST, b"move -700 25\x00"),
        (TEST, b"close\x00"), (38, b"KXMessage,12,130,140\x00"), (100, b"KXMessage,32,5,!\x00")))
    # The hub's side: relay texts as the tests send them, codes, server messages between.
    reports = records(
        (100, b"KXMessage,61,7,aGk=,!\x00"), (100, b"KXMessage,1,0,!"),
        (100, b"KXMessage,ab\x00cd"), (100, b"KXMessage,"), (100, b"KXMessage,\x00x"),
        (100, b"KXMessag,1,0,!"), (101, b"KXMessage,1,0,!"), (97, b"KXMessage,1:2"), (100, b""),
        (TABLE_REQUEST, b"40"), (TABLE_REQUEST, b"41"), (SERVER, b"9,73,41,!"),
        (TABLE_GONE, b"40"), (ROOM_GONE, b"6"), (TABLE_REQUEST, b"4294967336"),
        (ENTER_ROOM, b"6"), (SERVER, b"10,32,4:6:1001;,!"), (38, b"KXMessage,5,120,80\x00"),
        (38, b"KXMessage,6,-700,99999\x00"), (SERVER, b"11,33,5,!"), (SERVER, b"12,22,7,!"),
        (ENTER_ROOM, b"5"), (ENTER_ROOM, b"8"), (38, b"KXMessage,12,130,140\x00"))
    write("relay", "hub", room + reports)
    write("relay", "hub-windows", bytes([HUB_WINDOWS]) + reports)
    write("relay", "hub-windows-reentrant", bytes([HUB_WINDOWS | HUB_REENTRANT]) + reports)


# ---- sibling_command_line: the program, then the command line -----------------------
COMMAND_LINES = [
    (0, '"C:\\Tavlora\\RoomView.exe"  ,?,73,2,1,0,1,0,555,12,North, East,1,130,140,0,'
        'QzpcY2ZnXGNvbmZpZy5kYXQ=,'),
    (1, 'BoardView.exe  ,?,73,2,1,555,12,0,7,1,3,5,0,1,2,3,4,1,0,0,1,1,1,2,RDpcZ2FtZXM=,'
        'QzpcY2ZnXGNvbmZpZy5kYXQ=,'),
    (2, 'JoinView.exe  ,?,73,2,1,1,12,0,9,7,555,Ann, Jr,556,Zo\u00c3\u00ab,1,3,5,7,1'),
    (3, 'ChatView.exe  ,?,73,1,1,1,0,1,Anna,hello, there,'),
    (3, 'ChatView.exe " ,?,73,1,1,1,0,1,Anna,hello,"'),
    (4, 'KXDebug.exe\nRoomView 12 hung\n* never-idle\n# comment\nBoardView * 7 no-window'),
]


def command_line_seeds():
    for number, (kind, line) in enumerate(COMMAND_LINES):
        write("sibling_command_line", "test-%02d" % number, bytes([kind]) + line.encode())
        write("sibling_command_line", "test-%02d-utf16" % number,
              bytes([kind | 0x80]) + line.encode("utf-16-le"))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--server", help="tavlora-server to record a lobby from")
    args = parser.parse_args()
    inbound_seeds()
    if args.server:
        server_seeds(args.server)
    config_ini_seeds()
    config_dat_seeds()
    text_seeds()
    relay_seeds()
    command_line_seeds()


if __name__ == "__main__":
    main()
