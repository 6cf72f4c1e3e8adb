"""The lobby with the real sibling programs, in sequence. A scripted lobby (TavloraTest.exe
enters rooms): a room window started, fed and heard, tables opened from it, one storming,
siblings that never become idle or hang, a cut relay from outside, a lost connection
closing every sibling. The development server: its own private messages and join request,
and what the connection log (/log) holds of them."""

import base64
import os
import re
import time

import goldens
import harness
from harness import answer_time, b64, client, enter_room, relays, sibling_lines, \
    wait_client, wait_logged, wait_until

ZOE = "Zo\u00eb"  # its UTF-8 bytes C3 AB are what the relays carry
LOBBY = harness.login_scenario(
    players=harness.ME + "2001:Anna:1600:3;2002:Zo\\xC3\\xAB:1700:4;",
    rooms="5:Play Money Arena:2:1;6:Night Owls:3:1;7:Storm:1:1;8:Eight:1:1;9:Nine:1:1;",
    presences="7001:5:2001;7002:5:2002;7003:6:2001;", contacts="101:2001:0;102:2002:2;",
    tables="5001:5:1:5:500:2001:2002:30:0:0:0:0:0:0:0:0:0:0;"
           "5002:6:0:3:0:2001:0:30:0:0:0:0:0:0:0:0:0:0;"
           "5003:5:0:3:0:2002:0:30:0:0:0:0:0:0:0:0:0:0;"
           "5007:7:0:3:0:2002:0:30:0:0:0:0:0:0:0:0:0:0;",
    seats="9001:5:5001:2001;9002:5:5001:2002;")
# RoomView.exe for room 5 up to the config.dat path: language, foreground, sound,
# timestamp, enterexit, own player, room, its name, money kind, position 0 0, state.
ROOM5_LINE = " ,?,73,1,1,1,0,1,1001,5,Play Money Arena,2,0,0,1,"
# BoardView.exe for table 5001: language, foreground, own player, room 5, room kind 2,
# table, tablesize 3, table value 2 (1), autodelay, skin, colours 1 3 1 3, cube 2, the rest.
TABLE5001_LINE = " ,?,73,1,1,1001,5,2,5001,3,1,2,2,1,3,1,3,2,1,1,1,1,1,1,"


def escaped(text):
    """A text as the sibling log writes it: bytes outside printable ASCII as \\xNN."""
    return "".join(chr(b) if 0x20 <= b < 0x7F and b != 0x5C else "\\x%02X" % b
                   for b in text.encode("utf-8"))


def config_dat_path(line):
    return base64.b64decode(line.rstrip(",").rsplit(",", 1)[1]).decode("utf-8")


class Rooms(harness.HubTest):
    hub_args = dict(config_inner=harness.SAVED, scenario=LOBBY, start=harness.HUB_WITH_HOOK)

    def test_0_the_welcome_counts_and_a_room_row_follow_the_lobby(self):
        hub = self.hub
        x, y, _, _ = goldens.window_rect(hub, harness.MAIN)
        # The two count lines, short of the clock at x 520.
        counts, shot = (x + 3 + 183, y + 3 + 30, 330, 40), harness.ARTIFACTS + "/counts-%s.png"
        goldens.grab(hub, counts, shot % "before")
        hub.control("message 31,10:Ten:1:1;")  # a fifth room
        wait_until(lambda: goldens.grab(hub, counts, shot % "after") or
                   goldens.differing_pixels(shot % "before", shot % "after"),
                   what="the counts painted again")
        # A room's user count changes: its row alone is painted, as the whole list paints it.
        body, rows = harness.MAIN + "/tabswindowname/roombodywindowname", shot % "rows-%s"
        hub.control("message 32,7004:10:2001;")
        wait_until(lambda: "Ten\tReal money\t1" in hub.text(body), what="Ten's row painted")
        x, y, w, h = goldens.window_rect(hub, body)
        goldens.grab(hub, (x, y, w, h), rows % "row")
        # The whole tab page again, twice: the scroll bar is drawn by the system, then
        # copied from its kept picture.
        for _ in range(2):
            hub.probe("redraw", harness.MAIN + "/tabswindowname")
        goldens.grab(hub, (x, y, w, h), rows % "whole")
        self.assertEqual(goldens.differing_pixels(rows % "row", rows % "whole"), 0)

    def test_1_room_window_is_started_fed_and_heard(self):
        hub = self.hub
        enter_room(hub, 5)
        entered = wait_client(hub, r"\d+,32,5,")
        wait_logged(hub, "RoomView", 5, "window KXLobby5")
        line = sibling_lines(hub, "RoomView", 5)[0]
        self.assertTrue(line.startswith("cmdline " + ROOM5_LINE), line)
        self.assertTrue(config_dat_path(line).endswith("\\AppData\\Local\\Tavlora\\config.dat"))
        # The replay, in this order, before the server heard of the entry.
        self.assertEqual(relays(hub, "RoomView", 5), [
            "21 KXMessage,1001:demo:1500:4;2001:Anna:1600:3;2002:%s:1700:4;" % escaped(ZOE),
            "51 KXMessage,101:2001:0;102:2002:2;", "32 KXMessage,7001:2001;7002:2002;",
            "71 KXMessage,5001:1:5:500:2001:2002:30:0:0:0:0:0:0:0:0:0:0;"
            "5003:0:3:0:2002:0:30:0:0:0:0:0:0:0:0:0:0;",
            "72 KXMessage,9001:5001:2001;9002:5001:2002;"])
        self.assertEqual(len(entered), 1)
        hub.control("message 31,5:Play Money Arena:2:3;")
        hub.control("message 71,5004:5:0:1:0:2001:0:30:0:0:0:0:0:0:0:0:0:0;")
        wait_logged(hub, "RoomView", 5, "copydata 31 KXMessage,Play Money Arena,3")
        wait_logged(hub, "RoomView", 5,
                    "copydata 71 KXMessage,5004:0:1:0:2001:0:30:0:0:0:0:0:0:0:0:0:0;")
        hub.probe("test-command", "KXLobby5", "chat hallo")
        wait_client(hub, r"\d+,120,5,aGFsbG8=,")
        hub.probe("test-command", "KXLobby5", "close")
        wait_client(hub, r"\d+,38,5,")
        wait_logged(hub, "RoomView", 5, "exit 0")

    def test_2_tables_open_from_the_room_window(self):
        hub = self.hub
        enter_room(hub, 5)
        wait_until(lambda: len(client(hub, r"\d+,32,5,")) == 2, 30, what="room 5 again")
        hub.probe("test-command", "KXLobby5", "notify 31 5001")
        wait_client(hub, r"\d+,111,5:5001,")
        wait_logged(hub, "RoomView", 5, "copydata 39 KXMessage,5001:2")
        lines = sibling_lines(hub, "BoardView", 5001)
        self.assertTrue(lines[0].startswith("cmdline " + TABLE5001_LINE), lines[0])
        self.assertTrue(config_dat_path(lines[0]).endswith("\\Tavlora\\config.dat"))
        self.assertEqual([l for l in lines if l.startswith(("notify ", "copydata "))], [
            "notify 10 1", "notify 11 2", "notify 12 0", "notify 13 1",
            "copydata 71 KXMessage,5001:1:5:500:2001:2002:30:0:0:0:0:0:0:0:0:0",
            "copydata 21 KXMessage,1001:demo:1500:4;2001:Anna:1600:3;2002:%s:1700:4;"
            % escaped(ZOE), "copydata 51 KXMessage,101:2001:0;102:2002:2;",
            "copydata 72 KXMessage,9001:2001;9002:2002;"])
        # An open table is not started twice; a start that fails is answered 1.
        hub.probe("test-command", "KXLobby5", "notify 31 5001")
        wait_logged(hub, "RoomView", 5, "copydata 39 KXMessage,5001:0")
        harness.sibling_modes(hub, "BoardView 5003 no-window\n")
        hub.probe("test-command", "KXLobby5", "notify 31 5003")
        wait_logged(hub, "RoomView", 5, "copydata 39 KXMessage,5003:1")
        hub.probe("test-command", "KXTable5001", "close")
        wait_logged(hub, "RoomView", 5, "notify 38 5001")
        wait_client(hub, r"\d+,112,5001,")
        self.assertEqual(len(client(hub, r"\d+,111,.*")), 1)

    def test_3_a_room_window_storming_with_reports_leaves_the_hub_responsive(self):
        hub = self.hub  # it storms at every relay until the connection ends
        harness.sibling_modes(hub, "RoomView 7 storm\n")
        enter_room(hub, 7)
        wait_logged(hub, "RoomView", 7, "copydata 39 KXMessage,5007:0")
        before = len(relays(hub, "RoomView", 5))
        for status in (1, 2, 4, 3):  # an unbounded storm would grow ahead of the later posts
            hub.control("message 17,2001,%d" % status)
            clock = len(client(hub, r"\d+,10,0,"))
            hub.probe("post", harness.MAIN, "30", "0", "0")  # WM_TIMECHANGE: a clock request
            wait_until(lambda: len(client(hub, r"\d+,10,0,")) > clock, 5, what="a posted message")
        wait_until(lambda: [r for r in relays(hub, "RoomView", 5)[before:] if r[:3] == "17 "]
                   == ["17 KXMessage,2001,%d" % n for n in (1, 2, 4, 3)], 30, what="in order")

    def test_4_never_idle_and_hung_siblings_leave_the_hub_responsive(self):
        hub = self.hub
        harness.sibling_modes(hub, "RoomView 8 never-idle\nRoomView 9 hung\n")
        start = time.monotonic()
        enter_room(hub, 8)
        # The hub waits at most 5 s for the idle state, then finds and feeds the window.
        wait_client(hub, r"\d+,32,8,", timeout=20)
        self.assertLess(time.monotonic() - start, 12)
        self.assertIn("mode never-idle", sibling_lines(hub, "RoomView", 8))
        self.assertEqual(relays(hub, "RoomView", 8)[0][:3], "21 ")
        # The replay stops at the first text the hung window does not take (2 s), and the
        # entry still reaches the server; later relays cost one bound each.
        start = time.monotonic()
        enter_room(hub, 9)
        wait_client(hub, r"\d+,32,9,", timeout=20)
        self.assertLess(time.monotonic() - start, 12)
        wait_logged(hub, "RoomView", 9, "hung")
        self.assertEqual(len(relays(hub, "RoomView", 9)), 1)
        hub.control("message 31,9:Nine:1:3;")
        hub.control("message 17,2001,2")
        harness.sync(hub)
        self.assertLess(answer_time(hub), 5)

    def test_5_cut_room_closed_relay_from_outside_is_taken_as_its_bytes_say(self):
        # cbData ends after "6,120,3": no zero byte, so the text is taken whole.
        text = "KXMessage,6,120,300"
        self.hub.probe("copydata", harness.MAIN, "38", text, str(len(text) - 2))
        wait_client(self.hub, r"\d+,38,6,")

    def test_6_lost_connection_closes_every_sibling_and_keeps_room_places(self):
        hub = self.hub
        siblings = [("BoardView.exe", TABLE5001_LINE + "QQ==,QQ==,", "KXTable5001",
                     "BoardView", "5001"),
                    ("JoinView.exe", " ,?,73,1,1,1,5,0,9,5001,2001,Anna,2002,Bert,0,30,5,500,2",
                     "KXLaunch9", "JoinView", "9"),
                    ("ChatView.exe", " ,?,73,1,1,1,0,1,Anna,hello,", "KXChat", "ChatView", None),
                    ("KXDebug.exe", " ,?,", "KXDebug", "KXDebug", None)]
        started = []
        for exe, parameters, window_class, _, _ in siblings:
            started.append(hub.start_hub(False, exe, args=[parameters]))
            hub.probe("wait", window_class, "30000")
        enter_room(hub, 6)
        hub.probe("wait", "KXLobby6", "30000")
        hub.probe("test-command", "KXLobby5", "move 300 200")
        hub.probe("test-command", "KXLobby6", "move -700 40")
        watched = [s[3:] for s in siblings] + [("RoomView", 5), ("RoomView", 6)]
        exits = lambda p, i: sibling_lines(hub, p, i).count("exit 0")  # noqa: E731
        before = {w: exits(*w) for w in watched}
        hub.kill_server()
        for program, sibling_id in watched:
            wait_until(lambda: exits(program, sibling_id) > before[program, sibling_id], 30,
                       what="%s %s ended" % (program, sibling_id))
            lines = sibling_lines(hub, program, sibling_id)
            last = [l for l in lines if l.startswith("cmdline ")][-1]  # the newest process
            lines = lines[len(lines) - 1 - lines[::-1].index(last):]
            self.assertLess(lines.index("notify 1 0"), lines.index("exit 0"), program)
        for process in started:
            self.assertEqual(harness.wait_exit(process, 30, "a sibling"), 0)
        self.assertLess(answer_time(hub), 5)
        self.assertEqual(hub.close_hub(30), 0)
        inner = hub.read_config_inner()
        self.assertIn("!30 5 300 200!", inner)
        self.assertIn("!30 6 120 3!", inner, "left -700 keeps the place of the cut relay")
        self.assertFalse(os.path.exists(os.path.join(hub.settings_dir, "tavlora.log")),
                         "no connection log without /log")


class DevelopmentServer(harness.HubTest):  # before Rooms, which runs without /log
    hub_args = dict(config_inner=harness.SAVED, start="Tavlora.exe", start_args=["/log"])

    def test_1_private_messages_and_a_join_request_round_trip(self):
        hub = self.hub
        hub.control("lobby player-in 3500 4 Tester")
        hub.control("lobby private 3500 Hallo, demo!")
        chat = wait_until(lambda: [l for l in sibling_lines(hub, "ChatView")
                                   if l.startswith("cmdline ")], 60, what="ChatView started")
        self.assertTrue(chat[0].endswith(",0,Tester,%s," % b64("Hallo, demo!")), chat[0])
        hub.probe("wait", "KXChat", "30000")
        hub.probe("test-command", "KXChat", "chat Bist du da?")
        wait_client(hub, r"\d+,61,%s,%s," % (b64("Tester"), b64("Bist du da?")))
        # Tester asks to play at the own player's table; the user's Accept seats him.
        hub.control("lobby table-open 1 1001")
        table = wait_until(lambda: re.findall(r"table (\d+) opens in room 1",
                                              hub.server_log_text()), 30, what="own table")[0]
        hub.control("lobby join-request %s 3500" % table)
        line = wait_until(lambda: sibling_lines(hub, "JoinView", 1), 30, what="JoinView")[0]
        self.assertIn(",1,%s,3500,Tester,1001,demo,0," % table, line)
        wait_logged(hub, "JoinView", 1, "window KXLaunch1")
        harness.sync(hub, "17,3500,4")
        accept = [w for w in hub.probe("list", "KXLaunch1")
                  if w.get("class") == "Button" and w.get("text") == "Accept"][0]
        hub.xdotool("mousemove", accept["sx"] + accept["w"] // 2,
                    accept["sy"] + accept["h"] // 2, "click", "1")
        wait_client(hub, r"\d+,103,1:1,")
        wait_until(lambda: "join request 1 accepted: player 3500 plays at table " + table
                   in hub.server_log_text(), 30, what="Tester seated")
        # Lost and connected again; then the connection log holds the log-in, the loss and
        # the reconnect in order, and nothing of the password or the private messages.
        hub.control("close")
        hub.wait_error("Lost connection to server.", 45)
        hub.click(harness.OK)
        hub.wait_visible("tabswindowname", 60)
        self.assertEqual(hub.close_hub(30), 0)
        log = harness.read_bytes(os.path.join(hub.settings_dir, "tavlora.log")).decode()
        events = [line.split(" ", 2)[2] for line in log.splitlines()]
        wanted = iter(events)
        self.assertTrue(all(event in wanted for event in (
            "login result 5", "connection ended by code 7", "connection attempt 2",
            "connection attempt ended by code 6: connected", "login result 5")), log[-3000:])
        self.assertTrue(any(e.startswith("sibling JoinView.exe started, window found after ")
                            for e in events))
        self.assertTrue(any(re.fullmatch(r"out \d+ type 61 length \d+", e) for e in events))
        self.assertEqual([text for secret in ("demo1234", "demo,demo1234", "Hallo, demo!",
                                              "Bist du da?")
                          for text in (secret, b64(secret)) if text in log], [])


if __name__ == "__main__":
    harness.main()
