"""Join requests and private messages with the real TavloraTest.exe and the real sibling
programs: a join request starting its window with the whole command line, the window's
answer reaching the server, the server's answer count reaching the window, join windows
closing with their player, room window and room; the box of an undelivered message read
from outside in every language while the hub goes on answering the server and relaying
to a room window; and the development server's own private messages and join request."""

import base64
import os
import re
import unittest

import harness

MAIN = "KXLobby0"
SAVED = ("73!3 demo demo1234!4 1!5 1!6 1!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!16 1!17 1!"
         "18 1!19 1!20 1!21 1!22 0!23 1!24 0!25 0!26 1!27 1!28 1!29 1!")
HUB_EXE = "TavloraTest.exe"

ZOE = "Zo\u00eb"


def lobby(account_language):
    """Three players (one with a non-ASCII name), room 5 of money kind 2 with table 5001
    (values 3, 4, 7: 5, 500, 30). The server answers nothing by itself."""
    return """replies off
expect ,11, 60000
message 11,5
message 13,1001,%d,0
message 14,12345,99999,7
message 21,1001:demo:1500:4;2001:Anna:1600:3;2002:Zo\\xC3\\xAB:1700:4;
message 31,5:Play Money Arena:2:1;
message 71,5001:5:1:5:500:2001:2002:30:0:0:0:0:0:0:0:0:0:0;
message 15,0
""" % account_language


def sibling_lines(hub, program, sibling_id):
    out = []
    for line in hub.sibling_log():
        parts = line.split(" ", 2)
        if len(parts) == 3 and parts[0] == program and parts[1] == str(sibling_id):
            out.append(parts[2])
    return out


def wait_logged(hub, program, sibling_id, line, timeout=30.0):
    return harness.wait_until(lambda: line in sibling_lines(hub, program, sibling_id), timeout,
                              what="%s %s: %s" % (program, sibling_id, line))


def wait_client(hub, pattern, timeout=30.0):
    regex = re.compile(pattern)
    return harness.wait_until(
        lambda: [m for m in harness.client_messages(hub) if regex.fullmatch(m)], timeout,
        what="client message " + pattern)


def settle(hub, status):
    """Until the hub has handled a server message sent now: its main thread has left any
    launch (Wine handles sent messages, a sibling's relay among them, while the hub waits
    for a new sibling to become idle, so a relay sent that early meets a closed request)."""
    text = "17,2001,%d" % status
    hub.control("message " + text)
    sent = harness.wait_until(lambda: re.findall(r" > (\d+),%s," % text, hub.server_log_text()),
                              30, what=text + " sent")
    hub.wait_received(b"2,%s,!" % sent[-1].encode(), timeout=30)


def relays(hub, program, sibling_id):
    """The WM_COPYDATA texts a sibling received, as "<code> <escaped text>"."""
    return [line[len("copydata "):] for line in sibling_lines(hub, program, sibling_id)
            if line.startswith("copydata ")]


def wine_processes(hub, exe):
    """How many processes of this program run in the hub's Wine prefix."""
    count = 0
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/environ" % pid, "rb") as f:
                environ = f.read().split(b"\0")
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                program = f.read().split(b"\0")[0]
        except OSError:
            continue
        if ("WINEPREFIX=" + hub.prefix).encode() in environ and \
                program.lower().endswith(exe.lower().encode()):
            count += 1
    return count


def widened(text):
    """A name as JoinView.exe gets it: its UTF-8 bytes, one per unit."""
    return text.encode("utf-8").decode("latin-1")


def b64(text):
    return base64.b64encode(text.encode("utf-8")).decode("ascii")


class Joins(unittest.TestCase):

    def test_join_window_gets_its_line_answers_and_hears_the_count(self):
        with harness.Hub("joins-join", config_inner=SAVED, scenario=lobby(1)) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            hub.control("message 101,9:5:5001:2002:1001:0")
            hub.probe("wait", "KXLaunch9", "30000")
            wait_logged(hub, "JoinView", 9, "window KXLaunch9")
            self.assertEqual(sibling_lines(hub, "JoinView", 9)[0],
                             "cmdline  ,?,73,1,1,1,5,0,9,5001,2002,%s,1001,demo,0,30,5,500,2"
                             % widened(ZOE))
            # The window's answer reaches the server as it wrote it.
            settle(hub, 3)
            hub.probe("test-command", "KXLaunch9", "relay 97 9:1")
            wait_client(hub, r"\d+,103,9:1,")

            # A second request by the own player; the server's answer count reaches it.
            hub.control("message 101,10:5:5001:1001:2001:0")
            hub.probe("wait", "KXLaunch10", "30000")
            wait_logged(hub, "JoinView", 10, "window KXLaunch10")
            self.assertEqual(sibling_lines(hub, "JoinView", 10)[0],
                             "cmdline  ,?,73,1,1,1,5,0,10,5001,1001,demo,2001,Anna,1,30,5,500,2")
            hub.control("message 101,10:5:5001:1001:2001:3")
            wait_logged(hub, "JoinView", 10, "notify 33 3")
            # The request is forgotten: an answer now reaches no one.
            hub.probe("test-command", "KXLaunch10", "relay 97 10:2", check=False)
            hub.control("message 101,11:5:5001:1001:2001:0")
            hub.probe("wait", "KXLaunch11", "30000")
            settle(hub, 2)
            hub.probe("test-command", "KXLaunch11", "relay 97 11:4")
            wait_client(hub, r"\d+,103,11:4,")
            self.assertEqual([m for m in harness.client_messages(hub) if ",103,10:" in m], [])

    def test_join_windows_close_with_their_player_room_window_and_room(self):
        # Anna (2001) and Zoë (2002) in room 5, Anna in room 6 too; a table in each room.
        scenario = """replies off
expect ,11, 60000
message 11,5
message 13,1001,1,0
message 14,12345,99999,7
message 21,1001:demo:1500:4;2001:Anna:1600:3;2002:Zo\\xC3\\xAB:1700:4;
message 31,5:Play Money Arena:2:1;6:Night Owls:3:1;
message 32,7001:5:2001;7002:5:2002;7003:6:2001;
message 71,5001:5:0:5:500:1001:0:30:0:0:0:0:0:0:0:0:0:0;6001:6:0:5:0:1001:0:30:0:0:0:0:0:0:0:0:0:0;
message 15,0
"""
        with harness.Hub("joins-cleanup", config_inner=SAVED, scenario=scenario) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            hub.probe("post", MAIN, "TavloraIntMessage", "900", "5")
            hub.probe("wait", "KXLobby5", "30000")
            wait_logged(hub, "RoomView", 5, "window KXLobby5")
            for join, room, table, asker in ((1, 5, 5001, 2001), (2, 5, 5001, 2002),
                                             (3, 6, 6001, 2001)):
                hub.control("message 101,%d:%d:%d:%d:1001:0" % (join, room, table, asker))
                hub.probe("wait", "KXLaunch%d" % join, "30000")
                wait_logged(hub, "JoinView", join, "window KXLaunch%d" % join)
            closed = lambda join: "notify 1 0" in sibling_lines(hub, "JoinView", join)  # noqa

            # Anna leaves room 5: only her request there ends.
            hub.control("message 38,7001")
            harness.wait_until(lambda: closed(1), 30, what="join 1 closed")
            self.assertFalse(closed(2) or closed(3))
            # The room window closes: the other request of room 5 ends, room 6's stays.
            hub.probe("test-command", "KXLobby5", "close")
            wait_client(hub, r"\d+,38,5,")
            harness.wait_until(lambda: closed(2), 30, what="join 2 closed")
            # Room 6 removed: its request is forgotten without a word to its window, so a
            # later result for it reaches no one.
            hub.control("message 33,6")
            hub.control("message 103,3,5")
            settle(hub, 4)
            self.assertFalse(closed(3))
            self.assertNotIn("notify 34 5", sibling_lines(hub, "JoinView", 3))


class Conversations(unittest.TestCase):

    def test_who_gets_a_conversation_window(self):
        # Anna away and a friend, Zoë online and ignored, Bob shown as offline and a
        # contact, Cleo not to be disturbed; player 3999 is a contact the hub does not list.
        scenario = """replies off
expect ,11, 60000
message 11,5
message 13,1001,1,0
message 14,12345,99999,7
message 21,1001:demo:1500:4;2001:Anna:1600:3;2002:Zo\\xC3\\xAB:1700:4;2003:Bob:1500:1;
message 21,2004:Cleo:1500:2;
message 31,5:Play Money Arena:2:1;
message 51,101:2001:0;102:2002:2;103:2003:1;104:3999:1;
message 15,0
"""
        with harness.Hub("joins-chats", config_inner=SAVED, scenario=scenario) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            hub.probe("post", MAIN, "TavloraIntMessage", "900", "5")
            hub.probe("wait", "KXLobby5", "30000")
            wait_logged(hub, "RoomView", 5, "window KXLobby5")

            def started():
                return [line.split(" cmdline ", 1)[1] for line in hub.sibling_log()
                        if line.startswith("ChatView ") and " cmdline " in line]

            for message in ("61,3999,aGk=", "61,2003,x,y", "61,2002,aWdub3JlZA==",
                            "61,2001,b25l", "61,2001,dHdv"):
                hub.control("message " + message)
            for player in (2001, 2004, 2003):
                settle(hub, 3)
                hub.probe("test-command", "KXLobby5", "relay 99 %d" % player)
            settle(hub, 4)
            expected = [",1,,aGk=,", ",1,Bob,x,y,", ",1,Anna,b25l,", ",1,Anna,dHdv,",
                        ",1,Anna,,"]
            # Every start has been asked for by now; each started process lives on.
            self.assertEqual(wine_processes(hub, "ChatView.exe"), 5)
            lines = harness.wait_until(lambda: (lambda found: found if len(found) >= 5
                                                else None)(started()), 60,
                                       what="five conversations")
            # Processes start in their own time: compared without their order. Anna's two
            # messages are two processes; the ignored player, and relay 99 for players
            # shown as offline or not to be disturbed, start none.
            ends = sorted(next((e for e in expected if line.endswith(e)), line)
                          for line in lines)
            self.assertEqual(ends, sorted(expected))
            self.assertEqual(len(started()), 5)


class WithTheDevelopmentServer(unittest.TestCase):
    """The demo lobby's own join requests and private messages, end to end: the server
    asks, the sibling answers through the hub, the server acts on the answer."""

    def test_private_messages_and_a_join_request_round_trip(self):
        with harness.Hub("joins-server", config_inner=SAVED) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname", timeout=60)
            hub.control("lobby player-in 3500 4 Tester")
            hub.control("lobby private 3500 Hallo, demo!")
            chat = harness.wait_until(
                lambda: [line for line in hub.sibling_log()
                         if line.startswith("ChatView ") and " cmdline " in line], 60,
                what="ChatView started")
            self.assertTrue(chat[0].endswith(",0,Tester,%s," % b64("Hallo, demo!")), chat[0])

            # Written to while shown as offline: the server says why it was not delivered.
            hub.control("lobby status 3500 1")
            hub.probe("wait", "KXChat", "30000")
            hub.probe("test-command", "KXChat", "chat Bist du da?")
            wait_client(hub, r"\d+,61,%s,%s," % (b64("Tester"), b64("Bist du da?")))
            box = harness.wait_until(
                lambda: [w for w in hub.probe("list", MAIN) if w.get("class") == "#32770"
                         and w.get("text") == ENGLISH[0]], 30, what="the box")[0]
            statics = [c.get("text") for c in hub.probe("list", MAIN)
                       if c.get("parent") == box["hwnd"] and c.get("class") == "Static"
                       and c.get("text")]
            self.assertEqual(statics, [ENGLISH[1] + "\r\nTester is offline."])
            hub.probe("post", box["hwnd"], "WM_COMMAND", "1", "0")

            # Tester asks to play at the own player's table; the answer seats him.
            hub.control("lobby status 3500 4")
            hub.control("lobby table-open 1 1001")
            table = harness.wait_until(
                lambda: re.findall(r"table (\d+) opens in room 1", hub.server_log_text()), 30,
                what="the own table")[0]
            hub.control("lobby join-request %s 3500" % table)
            hub.probe("wait", "KXLaunch1", "30000")
            line = harness.wait_until(lambda: sibling_lines(hub, "JoinView", 1), 30,
                                      what="JoinView's command line")[0]
            self.assertIn(",1,%s,3500,Tester,1001,demo,0," % table, line)
            settle(hub, 3)
            # The user accepts in the join window.
            accept = [w for w in hub.probe("list", "KXLaunch1")
                      if w.get("class") == "Button" and w.get("text") == "Accept"][0]
            hub.xdotool("mousemove", accept["sx"] + accept["w"] // 2,
                        accept["sy"] + accept["h"] // 2, "click", "1")
            wait_client(hub, r"\d+,103,1:1,")
            harness.wait_until(lambda: "join request 1 accepted: player 3500 plays at table "
                               + table in hub.server_log_text(), 30, what="Tester seated")


ENGLISH = ("Tavlora - System Message", "Cannot deliver message.",
           ["doesn\u00b4t exist.", "is offline.", "doesn\u00b4t want to be disturbed.",
            "has ignored the message."])
POLISH = ("Tavlora - Wiadomo\u015b\u0107 systemowa", "Nie mo\u017cna dostarczy\u0107 wiadomo\u015bci.",
          ["nie istnieje.", "jest offline.", "nie chce by mu przeszkadzano.",
           "zignorowa\u0142/a wiadomo\u015b\u0107."])


class Undeliverable(unittest.TestCase):

    def box(self, hub, caption):
        """The message box with this caption and its static text, once it is up."""
        def find():
            windows = hub.probe("list", MAIN)
            for w in windows:
                if w.get("class") == "#32770" and w.get("text") == caption:
                    texts = [c.get("text") for c in windows
                             if c.get("parent") == w.get("hwnd") and c.get("class") == "Static"
                             and c.get("text")]
                    if texts:
                        return w, texts
            return None
        return harness.wait_until(find, 30, what="box " + caption)

    def close_box(self, hub, box):
        hub.probe("post", box["hwnd"], "WM_COMMAND", "1", "0")
        harness.wait_until(lambda: not [w for w in hub.probe("list", MAIN)
                                        if w.get("hwnd") == box["hwnd"]], 30, what="box gone")

    def check_boxes(self, hub, texts, nickname):
        caption, first, reasons = texts
        for reason in [1, 2, 3, 4, 9]:
            hub.control("message 62,%d,%s" % (reason, b64(nickname)))
            box, statics = self.box(hub, caption)
            why = reasons[reason - 1] if reason <= 4 else ""
            self.assertEqual(statics, [first + "\r\n" + nickname + " " + why])
            self.assertTrue(box.get("topmost"), box)
            self.assertEqual(box.get("parent_class"), "contactswindowname", "owner")
            self.close_box(hub, box)

    def test_english_boxes_and_the_hub_answers_while_one_is_up(self):
        with harness.Hub("joins-box-en", config_inner=SAVED, scenario=lobby(1)) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            self.check_boxes(hub, ENGLISH, "Anna")

            # With a box up, a server message is handled at once: its acknowledgement
            # reaches the server.
            hub.control("message 62,2,%s" % b64("Anna"))
            box, _ = self.box(hub, ENGLISH[0])
            hub.control("message 17,2001,4")
            log = hub.server_log_text
            sent = harness.wait_until(lambda: re.findall(r" > (\d+),17,2001,4,", log()), 30,
                                      what="type 17 sent")
            hub.wait_received(b"2,%s,!" % sent[0].encode(), timeout=30)
            self.assertTrue([w for w in hub.probe("list", MAIN) if w.get("hwnd") == box["hwnd"]],
                            "the box is still up")
            self.close_box(hub, box)

    def test_a_room_window_hears_the_server_while_boxes_are_up(self):
        with harness.Hub("joins-box-relay", config_inner=SAVED, scenario=lobby(1)) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            hub.probe("post", MAIN, "TavloraIntMessage", "900", "5")
            hub.probe("wait", "KXLobby5", "30000")
            wait_logged(hub, "RoomView", 5, "window KXLobby5")
            wait_client(hub, r"\d+,32,5,")

            # One box up, then a second one inside it: the server's presence changes keep
            # reaching the room window, in order, and each is acknowledged.
            hub.control("message 62,2,%s" % b64("Anna"))
            outer, _ = self.box(hub, ENGLISH[0])
            hub.control("message 17,2001,2")
            hub.control("message 62,3,%s" % b64(ZOE))
            inner = harness.wait_until(
                lambda: [w for w in hub.probe("list", MAIN) if w.get("class") == "#32770"
                         and w.get("text") == ENGLISH[0] and w["hwnd"] != outer["hwnd"]],
                30, what="the second box")[0]
            for status in (3, 4, 1):
                hub.control("message 17,2001,%d" % status)
            expected = ["17 KXMessage,2001,%d" % n for n in (2, 3, 4, 1)]
            harness.wait_until(lambda: [r for r in relays(hub, "RoomView", 5)
                                        if r.startswith("17 ")] == expected, 30,
                               what="the presence changes in the room window")
            log = hub.server_log_text
            sent = harness.wait_until(
                lambda: (lambda found: found if len(found) == 5 else None)(
                    re.findall(r" > (\d+),(?:17,2001|62,3),", log())),
                30, what="five messages sent")
            for number in sent:
                hub.wait_received(b"2,%s,!" % number.encode(), timeout=30)
            windows = [w["hwnd"] for w in hub.probe("list", MAIN)]
            self.assertIn(outer["hwnd"], windows, "the first box is still up")
            self.assertIn(inner["hwnd"], windows, "the second box is still up")
            self.close_box(hub, inner)
            self.close_box(hub, outer)

    def test_one_german_and_one_italian_box(self):
        cases = [(2, "Tavlora - System Nachricht",
                  "Nachricht konnte nicht gesendet werden.\r\nJ\u00fcrgen will nicht gest\u00f6rt "
                  "werden.", "J\u00fcrgen", 3),
                 (3, "Tavlora - Messagio di sistema",
                  "Impossibile inviare il messaggio.\r\nNiccol\u00f2 ignora il messagio.",
                  "Niccol\u00f2", 4)]
        with harness.Hub("joins-box-de-it", config_inner=SAVED, scenario=lobby(2)) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            for language, caption, text, nickname, reason in cases:
                hub.control("message 13,1001,%d,0" % language)
                hub.control("message 62,%d,%s" % (reason, b64(nickname)))
                box, statics = self.box(hub, caption)
                self.assertEqual(statics, [text])
                self.close_box(hub, box)

    def test_polish_boxes(self):
        with harness.Hub("joins-box-pl", config_inner=SAVED, scenario=lobby(4)) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            self.check_boxes(hub, POLISH, "\u0141ucja")


if __name__ == "__main__":
    harness.main()
