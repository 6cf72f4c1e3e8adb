"""The lobby with the real Tavlora.exe and the real sibling programs: a room entered,
its window started and fed, tables opened from it, what the sibling windows report
reaching the server, a lost connection closing them, siblings that never become idle or
hang, hostile WM_COPYDATA, and the development server's lobby changing under the hub.

Entering a room goes through TavloraTest.exe, the hub plus a message hook that takes
a posted test code (TAVLORA_ENTER_ROOM: the probe.exe arguments, "{room}" standing for
the room id) before the main window sees it; Tavlora.exe itself has no such code."""

import base64
import os
import random
import re
import shlex
import subprocess
import time
import unittest

import harness

MAIN = "KXLobby0"
SAVED = ("73!3 demo demo1234!4 1!5 1!6 1!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!16 1!17 1!"
         "18 1!19 1!20 1!21 1!22 0!23 1!24 0!25 0!26 1!27 1!28 1!29 1!")

# TavloraTest.exe is the hub plus a message hook that takes test code 900 (enter the room
# in lParam) before the main window sees it; Tavlora.exe itself has no such code.
HUB_EXE = "TavloraTest.exe"
ENTER_ROOM = os.environ.get("TAVLORA_ENTER_ROOM", "post KXLobby0 TavloraIntMessage 900 {room}")
needs_room = unittest.skipUnless(ENTER_ROOM, "no way to enter a room (TAVLORA_ENTER_ROOM)")

# A lobby small enough to write out every relay text: three players (one name with a
# non-ASCII letter), two rooms, presences, two contacts, tables in both rooms and seats
# at table 5001. The server answers nothing by itself ("replies off"), so the hub's own
# messages (entering the room, chat lines) stay the only traffic besides these.
ZOE = "Zo\u00eb"  # its UTF-8 bytes C3 AB are what the relays carry
ROOM5_TABLE = "5001:5:1:5:500:2001:2002:30:0:0:0:0:0:0:0:0:0:0"
SMALL_LOBBY = """replies off
expect ,11, 60000
message 11,5
message 13,1001,1,0
message 14,12345,99999,7
message 21,1001:demo:1500:4;2001:Anna:1600:3;2002:Zo\\xC3\\xAB:1700:4;
message 31,5:Play Money Arena:2:1;6:Night Owls:3:1;
message 32,7001:5:2001;7002:5:2002;7003:6:2001;
message 51,101:2001:0;102:2002:2;
message 71,%s;5002:6:0:3:0:2001:0:30:0:0:0:0:0:0:0:0:0:0;5003:5:0:3:0:2002:0:30:0:0:0:0:0:0:0:0:0:0;
message 72,9001:5:5001:2001;9002:5:5001:2002;
message 15,0
""" % ROOM5_TABLE

# The same without players, contacts, presences, tables or seats.
EMPTY_LOBBY = """replies off
expect ,11, 60000
message 11,5
message 13,1001,1,0
message 14,12345,99999,7
message 31,5:Quiet Room:3:1;
message 15,0
"""

# What the hub passes to RoomView.exe for room 5 of SMALL_LOBBY with the SAVED settings,
# up to the config.dat path: language 1, foreground 1, sound 1, timestamp 0, enterexit
# 1, own player 1001, room 5, its name, money kind 2, the position 0 0 (never known),
# state 1.
ROOM5_LINE = " ,?,73,1,1,1,0,1,1001,5,Play Money Arena,2,0,0,1,"
# BoardView.exe for table 5001: language, foreground, own player, room 5, room kind 2,
# table 5001, tablesize 3, table value 2 (1), autodelay 2, skin 2, the checker and dice
# colours 1 3 1 3, cube 2, skiproll to animatespeed 1.
TABLE5001_LINE = " ,?,73,1,1,1001,5,2,5001,3,1,2,2,1,3,1,3,2,1,1,1,1,1,1,"


def enter_room(hub, room):
    hub.probe(*shlex.split(ENTER_ROOM.format(room=room)))


def sibling_lines(hub, program, sibling_id=None):
    """The log lines of one program (and id), without the "<program> <id> " in front."""
    out = []
    for line in hub.sibling_log():
        parts = line.split(" ", 2)
        if len(parts) == 3 and parts[0] == program and (
                sibling_id is None or parts[1] == str(sibling_id)):
            out.append(parts[2])
    return out


def relays(hub, program, sibling_id):
    """The WM_COPYDATA texts a sibling received, as "<code> <escaped text>"."""
    return [line[len("copydata "):] for line in sibling_lines(hub, program, sibling_id)
            if line.startswith("copydata ")]


def wait_logged(hub, program, sibling_id, line, timeout=30.0):
    return harness.wait_until(lambda: line in sibling_lines(hub, program, sibling_id), timeout,
                              what="%s %s: %s" % (program, sibling_id, line))


def wait_client(hub, pattern, timeout=30.0):
    """The client messages the server received that match the pattern, once there is one."""
    regex = re.compile(pattern)
    return harness.wait_until(
        lambda: [m for m in harness.client_messages(hub) if regex.fullmatch(m)], timeout,
        what="client message " + pattern)


def answer_time(hub):
    """Seconds until the hub's main window answers a message (the probe gives up at 5 s)."""
    start = time.monotonic()
    hub.probe("send", MAIN, "WM_NULL", "0", "0")
    return time.monotonic() - start


def test_command(hub, window_class, command):
    hub.probe("test-command", window_class, command)


def start_sibling(hub, program, parameters):
    """A sibling program started by the test, as the hub would start it."""
    process = subprocess.Popen(["wine", os.path.join(harness.BIN, program), parameters],
                               env=hub.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    hub.processes.append(process)
    return process


def escaped(text):
    """A text as the sibling log writes it: bytes outside printable ASCII as \\xNN."""
    out = ""
    for byte in text.encode("utf-8"):
        out += chr(byte) if 0x20 <= byte < 0x7F and byte != 0x5C else "\\x%02X" % byte
    return out


def config_dat_path(line):
    """The path in the last field of a logged command line."""
    return base64.b64decode(line.rstrip(",").rsplit(",", 1)[1]).decode("utf-8")


class LobbyWithoutRooms(unittest.TestCase):
    """What works whatever the hub does with rooms: the server's lobby changing under a
    logged-in hub, hostile WM_COPYDATA, and siblings closing when the connection goes."""

    def test_lobby_changes_are_acknowledged_and_leave_the_hub_responsive(self):
        with harness.Hub("lobby-changes", config_inner=SAVED) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            for command in ["lobby player-in 3001 4 Neuling", "lobby enter 5 3001",
                            "lobby table-open 5 3001", "lobby status 2001 2",
                            "lobby contact 3001 0", "lobby room-state 6 2",
                            "lobby room-text 5 120 3001:aGFsbG8=",
                            "lobby table-text 5001 122 2016:3:4", "lobby random 200",
                            "lobby every 50"]:
                hub.control(command)
            server_log = hub.server_log_text
            harness.wait_until(lambda: server_log().count(" lobby: ") > 60, timeout=60,
                               what="random changes every 50 ms")
            hub.control("lobby every 0")
            for note in ["lobby: player 3001 (Neuling) is online", "lobby: player 3001 enters room 5",
                         "opens in room 5", "lobby: contact 3001 relation 0", "lobby: room 6 state 2",
                         "lobby: text to room 5 code 120", "lobby: text to table 5001 code 122"]:
                self.assertIn(note, server_log())

            # Every numbered server message is acknowledged, the last one included.
            def all_acknowledged():
                sent = [int(n) for n in re.findall(r" > (\d+),\d+,", server_log())]
                received = hub.received()
                return sent and all(b"2,%d,!" % n in received for n in range(1, max(sent) + 1))

            harness.wait_until(all_acknowledged, timeout=60, what="acknowledgements")
            self.assertLess(answer_time(hub), 5)
            self.assertTrue(hub.visible("tabswindowname"), "still logged in")
            self.assertIsNone(hub.hub.poll())

    def test_random_copy_data_from_another_process_changes_nothing(self):
        with harness.Hub("lobby-copydata", config_inner=SAVED) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            before = len(harness.client_messages(hub))
            # Framing that is not a relay: no prefix, nothing after it, unknown codes,
            # a prefix that cbData cuts, the prefix in the wrong case.
            cases = [("100", "KXMessage,", None), ("100", "no prefix 32,5,!", None),
                     ("55", "KXMessage,32,5,!", None), ("0", "KXMessage,32,5,!", None),
                     ("0xFFFFFFFF", "KXMessage,32,5,!", None),
                     ("100", "KXMessage,32,5,!", "9"), ("100", "kxmessage,32,5,!", None),
                     ("38", "KXMessag", None), ("99", "KXMessage", "70000")]
            rng = random.Random(1717)
            for _ in range(24):
                code = rng.choice(["0", "1", "38", "97", "99", "100", "55", "4294967295",
                                   str(rng.randrange(1 << 32))])
                text = "".join("\\x%02X" % rng.randrange(1, 256)
                               for _ in range(rng.randrange(1, 60)))
                size = rng.choice([None, "0", "1", str(rng.randrange(1, 200)), "70000"])
                cases.append((code, text, size))
            for code, text, size in cases:
                hub.probe("copydata", MAIN, code, text, *([size] if size else []), check=False)
            self.assertLess(answer_time(hub), 5)
            self.assertTrue(hub.visible("tabswindowname"), "still logged in")
            self.assertIsNone(hub.hub.poll())
            later = harness.client_messages(hub)[before:]
            self.assertEqual([m for m in later if m.split(",")[1] != "1"], [],
                             "nothing but keep-alives reached the server")

    def test_lost_connection_closes_every_sibling(self):
        siblings = [
            ("RoomView.exe", ROOM5_LINE + "QQ==,", "KXLobby5", "RoomView", "5"),
            ("BoardView.exe", TABLE5001_LINE + "QQ==,QQ==,", "KXTable5001", "BoardView",
             "5001"),
            ("JoinView.exe", " ,?,73,1,1,1,5,0,9,5001,2001,Anna,2002,Bert,0,30,5,500,2",
             "KXLaunch9", "JoinView", "9"),
            ("ChatView.exe", " ,?,73,1,1,1,0,1,Anna,hello,", "KXChat", "ChatView", None),
            ("KXDebug.exe", " ,?,", "KXDebug", "KXDebug", None),
        ]
        with harness.Hub("lobby-lost", config_inner=SAVED) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            started = []
            for exe, parameters, window_class, program, sibling_id in siblings:
                started.append(start_sibling(hub, exe, parameters))
                hub.probe("wait", window_class, "30000")
            hub.kill_server()
            for exe, parameters, window_class, program, sibling_id in siblings:
                wait_logged(hub, program, sibling_id, "exit 0")
                lines = sibling_lines(hub, program, sibling_id)
                self.assertIn("notify 1 0", lines, program)
                self.assertLess(lines.index("notify 1 0"), lines.index("exit 0"))
            for process in started:
                self.assertEqual(process.wait(30), 0)
            self.assertLess(answer_time(hub), 5)


class Rooms(unittest.TestCase):
    """Rooms entered through the test build's hook, against SMALL_LOBBY."""

    @needs_room
    def test_room_window_is_started_fed_and_heard(self):
        with harness.Hub("lobby-room", config_inner=SAVED, scenario=SMALL_LOBBY) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            enter_room(hub, 5)
            hub.probe("wait", "KXLobby5", "30000")
            entered = wait_client(hub, r"\d+,32,5,")
            wait_logged(hub, "RoomView", 5, "window KXLobby5")
            line = sibling_lines(hub, "RoomView", 5)[0]
            self.assertTrue(line.startswith("cmdline " + ROOM5_LINE), line)
            self.assertTrue(config_dat_path(line).endswith("\\AppData\\Local\\Tavlora\\config.dat"))
            # The replay, in this order and nothing else before the server heard of it.
            replay = ["21 KXMessage,1001:demo:1500:4;2001:Anna:1600:3;2002:%s:1700:4;"
                      % escaped(ZOE),
                      "51 KXMessage,101:2001:0;102:2002:2;",
                      "32 KXMessage,7001:2001;7002:2002;",
                      "71 KXMessage,5001:1:5:500:2001:2002:30:0:0:0:0:0:0:0:0:0:0;"
                      "5003:0:3:0:2002:0:30:0:0:0:0:0:0:0:0:0:0;",
                      "72 KXMessage,9001:5001:2001;9002:5001:2002;"]
            self.assertEqual(relays(hub, "RoomView", 5), replay)
            self.assertEqual(len(entered), 1)

            # Later server messages for the room reach the window under their type.
            hub.control("message 31,5:Play Money Arena:2:3;")
            hub.control("message 71,5004:5:0:1:0:2001:0:30:0:0:0:0:0:0:0:0:0:0;")
            wait_logged(hub, "RoomView", 5, "copydata 31 KXMessage,Play Money Arena,3")
            wait_logged(hub, "RoomView", 5,
                        "copydata 71 KXMessage,5004:0:1:0:2001:0:30:0:0:0:0:0:0:0:0:0:0;")
            # A chat line typed there reaches the server as the window wrote it.
            test_command(hub, "KXLobby5", "chat hallo")
            wait_client(hub, r"\d+,120,5,aGFsbG8=,")
            # Closing it: the server hears 38, the position is kept for config.ini.
            test_command(hub, "KXLobby5", "move 210 160")
            test_command(hub, "KXLobby5", "close")
            wait_client(hub, r"\d+,38,5,")
            hub.probe("post", MAIN, "WM_CLOSE", "0", "0")
            self.assertEqual(hub.hub.wait(30), 0)
            self.assertIn("!30 5 210 160!", hub.read_config_inner())

    @needs_room
    def test_room_gone_code_clears_the_window_and_sends_nothing(self):
        with harness.Hub("lobby-room-gone", config_inner=SAVED, scenario=SMALL_LOBBY) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            enter_room(hub, 5)
            wait_client(hub, r"\d+,32,5,")
            test_command(hub, "KXLobby5", "notify 29 5")
            # The room can be entered again at once; nothing but the new entry is sent.
            enter_room(hub, 5)
            harness.wait_until(lambda: len(wait_client(hub, r"\d+,32,5,")) == 2,
                               what="second entry")
            self.assertEqual([m for m in harness.client_messages(hub) if ",38," in m], [])

    @needs_room
    def test_empty_lobby_replays_only_the_empty_player_list(self):
        with harness.Hub("lobby-empty", config_inner=SAVED, scenario=EMPTY_LOBBY) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            enter_room(hub, 5)
            wait_client(hub, r"\d+,32,5,")
            self.assertEqual(relays(hub, "RoomView", 5), ["21 KXMessage,"])

    @needs_room
    def test_tables_open_from_the_room_window(self):
        with harness.Hub("lobby-table", config_inner=SAVED, scenario=SMALL_LOBBY) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            enter_room(hub, 5)
            wait_client(hub, r"\d+,32,5,")
            test_command(hub, "KXLobby5", "notify 31 5001")
            wait_client(hub, r"\d+,111,5:5001,")
            wait_logged(hub, "RoomView", 5, "copydata 39 KXMessage,5001:2")
            lines = sibling_lines(hub, "BoardView", 5001)
            self.assertTrue(lines[0].startswith("cmdline " + TABLE5001_LINE), lines[0])
            self.assertTrue(config_dat_path(lines[0]).endswith("\\Tavlora\\config.dat"))
            told = [line for line in lines if line.startswith(("notify ", "copydata "))]
            self.assertEqual(told, [
                "notify 10 1", "notify 11 2", "notify 12 0", "notify 13 1",
                "copydata 71 KXMessage,5001:1:5:500:2001:2002:30:0:0:0:0:0:0:0:0:0",
                "copydata 21 KXMessage,1001:demo:1500:4;2001:Anna:1600:3;2002:%s:1700:4;"
                % escaped(ZOE),
                "copydata 51 KXMessage,101:2001:0;102:2002:2;",
                "copydata 72 KXMessage,9001:2001;9002:2002;"])
            # An open table is not started twice; a start that fails is answered 1.
            test_command(hub, "KXLobby5", "notify 31 5001")
            wait_logged(hub, "RoomView", 5, "copydata 39 KXMessage,5001:0")
            harness.sibling_modes(hub, "BoardView 5003 no-window\n")
            test_command(hub, "KXLobby5", "notify 31 5003")
            wait_logged(hub, "RoomView", 5, "copydata 39 KXMessage,5003:1")
            # The table window closes: the room window and the server are told.
            test_command(hub, "KXTable5001", "close")
            wait_logged(hub, "RoomView", 5, "notify 38 5001")
            wait_client(hub, r"\d+,112,5001,")
            self.assertEqual(len(wait_client(hub, r"\d+,111,.*")), 1)

    @needs_room
    def test_lost_connection_closes_room_windows_and_keeps_their_places(self):
        with harness.Hub("lobby-room-lost", config_inner=SAVED, scenario=SMALL_LOBBY) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            enter_room(hub, 5)
            enter_room(hub, 6)
            hub.probe("wait", "KXLobby5", "30000")
            hub.probe("wait", "KXLobby6", "30000")
            test_command(hub, "KXLobby5", "move 300 200")
            test_command(hub, "KXLobby6", "move -700 40")
            hub.kill_server()
            for room in (5, 6):
                wait_logged(hub, "RoomView", room, "exit 0")
                self.assertIn("notify 1 0", sibling_lines(hub, "RoomView", room))
            hub.probe("post", MAIN, "WM_CLOSE", "0", "0")
            self.assertEqual(hub.hub.wait(30), 0)
            inner = hub.read_config_inner()
            self.assertIn("!30 5 300 200!", inner)
            self.assertIn("!30 6 0 0!", inner, "left -700 keeps the previous place")

    @needs_room
    def test_never_idle_sibling_leaves_the_hub_responsive(self):
        with harness.Hub("lobby-never-idle", config_inner=SAVED, scenario=SMALL_LOBBY) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            harness.sibling_modes(hub, "RoomView never-idle\n")
            start = time.monotonic()
            enter_room(hub, 5)
            hub.probe("wait", "KXLobby5", "30000")
            # The hub waits at most 5 s for the idle state, then finds and feeds the window.
            wait_client(hub, r"\d+,32,5,", timeout=20)
            self.assertLess(time.monotonic() - start, 12)
            self.assertLess(answer_time(hub), 5)
            self.assertIn("mode never-idle", sibling_lines(hub, "RoomView", 5))
            self.assertEqual(relays(hub, "RoomView", 5)[0][:3], "21 ")

    @needs_room
    def test_hung_sibling_leaves_the_hub_responsive(self):
        with harness.Hub("lobby-hung", config_inner=SAVED, scenario=SMALL_LOBBY) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            harness.sibling_modes(hub, "RoomView hung\n")
            start = time.monotonic()
            enter_room(hub, 5)
            # The replay stops at the first text the window does not take (2 s), the
            # rest of the batch skips it, and the entry still reaches the server.
            wait_client(hub, r"\d+,32,5,", timeout=20)
            self.assertLess(time.monotonic() - start, 12)
            self.assertLess(answer_time(hub), 5)
            wait_logged(hub, "RoomView", 5, "hung")
            self.assertEqual(len(relays(hub, "RoomView", 5)), 1)
            # Later relays to the hung window cost one bound each and no more.
            hub.control("message 31,5:Play Money Arena:2:3;")
            hub.control("message 17,2001,2")
            time.sleep(0.5)
            self.assertLess(answer_time(hub), 5)
            self.assertTrue(hub.visible("tabswindowname"))


class RelayFromOutside(unittest.TestCase):
    """Relay texts sent to the hub by another process, with the hub's lobby model."""

    def test_truncated_room_closed_relay_is_taken_as_its_bytes_say(self):
        text = "KXMessage,5,120,300"
        with harness.Hub("lobby-cut-38", config_inner=SAVED, scenario=SMALL_LOBBY) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            # cbData ends after "5,120,3": no zero byte, so the text is taken whole.
            hub.probe("copydata", MAIN, "38", text, str(len(text) - 2))
            wait_client(hub, r"\d+,38,5,")
            hub.probe("post", MAIN, "WM_CLOSE", "0", "0")
            self.assertEqual(hub.hub.wait(30), 0)
            self.assertIn("!30 5 120 3!", hub.read_config_inner())

    def test_welcome_lines_count_the_lobby(self):
        # The welcome lines are painted, not window text: the same lobby twice gives the
        # same lines, a different lobby (3 users 3 online, 2 rooms 3 tables against
        # 0 users 0 online, 1 rooms 0 tables) different ones.
        crops = []
        for name, lobby in (("small", SMALL_LOBBY), ("small-again", SMALL_LOBBY),
                            ("empty", EMPTY_LOBBY)):
            with harness.Hub("lobby-welcome-" + name, config_inner=SAVED,
                             scenario=lobby) as hub:
                hub.start_hub(exe=HUB_EXE)
                hub.wait_visible("tabswindowname")
                shot = hub.screenshot("lobby-welcome-" + name)
                main = hub.window(MAIN)
                crop = shot.replace(".png", "-lines.png")
                subprocess.run(["convert", shot, "-crop", "300x40+%d+%d" % (main["sx"] + 190,
                                main["sy"] + 28), "+repage", crop], check=True)
                crops.append(crop)

        def differing(a, b):
            done = subprocess.run(["compare", "-metric", "AE", a, b, "null:"],
                                  capture_output=True, text=True)
            return int(float(done.stderr.split()[0]))

        self.assertEqual(differing(crops[0], crops[1]), 0)
        self.assertGreater(differing(crops[0], crops[2]), 20)

if __name__ == "__main__":
    harness.main()
