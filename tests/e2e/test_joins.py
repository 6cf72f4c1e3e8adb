"""Join requests, conversations and undelivered-message boxes, in sequence on one hub
(TavloraTest.exe) against a scripted lobby with the real sibling programs."""

import re

import harness
from harness import b64, client_messages, enter_room, relays, sibling_lines, wait_client, \
    wait_logged, wait_until

ZOE = "Zo\u00eb"
# Zoë's join request and Anna's presences; Ida is ignored, Bob shown as offline, Cleo not
# to be disturbed; player 3999 is a contact the hub does not list.
LOBBY = harness.login_scenario(
    players=[harness.ME + "2001:Anna:1600:3;2002:Zo\\xC3\\xAB:1700:4;2003:Bob:1500:1;",
             "2004:Cleo:1500:2;2005:Ida:1700:4;"],
    rooms="5:Play Money Arena:2:1;6:Night Owls:3:1;",
    presences="7001:5:2001;7002:5:2002;7003:6:2001;",
    contacts="101:2001:0;102:2005:2;103:2003:1;104:3999:1;",
    tables="5001:5:1:5:500:2001:2002:30:0:0:0:0:0:0:0:0:0:0;"
           "6001:6:0:5:0:1001:0:30:0:0:0:0:0:0:0:0:0:0;")
ENGLISH = ("Tavlora - System Message", "Cannot deliver message.",
           ["doesn\u00b4t exist.", "is offline.", "doesn\u00b4t want to be disturbed.",
            "has ignored the message."])


def settle(hub, status):
    """Until the hub has handled a message sent now, so it has left any launch (a relay
    sent while Wine waits for a new sibling to become idle meets a closed request)."""
    harness.sync(hub, "17,2001,%d" % status)


def boxes(hub, caption):
    """{hwnd: static texts} of the message boxes with this caption."""
    windows = hub.probe("list", harness.MAIN)
    return {w["hwnd"]: [c.get("text") for c in windows if c.get("parent") == w["hwnd"]
                        and c.get("class") == "Static" and c.get("text")]
            for w in windows if w.get("class") == "#32770" and w.get("text") == caption}


def new_box(hub, caption, old=()):
    found = wait_until(lambda: [(h, t) for h, t in boxes(hub, caption).items()
                                if t and h not in old], 30, what="box " + caption)
    return found[0]


def close_box(hub, hwnd):
    hub.probe("post", hwnd, "WM_COMMAND", "1", "0")
    wait_until(lambda: hwnd not in [w["hwnd"] for w in hub.probe("list", harness.MAIN)], 30,
               what="box closed")


class Joins(harness.HubTest):
    hub_args = dict(config_inner=harness.SAVED, scenario=LOBBY, start=harness.HUB_WITH_HOOK)

    def test_1_join_window_line_answer_and_count(self):
        hub = self.hub
        hub.control("message 101,9:5:5001:2002:1001:0")
        wait_logged(hub, "JoinView", 9, "window KXLaunch9")
        self.assertEqual(sibling_lines(hub, "JoinView", 9)[0],
                         "cmdline  ,?,73,1,1,1,5,0,9,5001,2002,%s,1001,demo,0,30,5,500,2"
                         % ZOE.encode("utf-8").decode("latin-1"))  # a unit per byte
        settle(hub, 3)
        hub.probe("test-command", "KXLaunch9", "relay 97 9:1")
        wait_client(hub, r"\d+,103,9:1,")
        # A request by the own player hears the server's answer count; then it is
        # forgotten, and an answer reaches no one.
        hub.control("message 101,10:5:5001:1001:2001:0")
        wait_logged(hub, "JoinView", 10, "window KXLaunch10")
        self.assertEqual(sibling_lines(hub, "JoinView", 10)[0],
                         "cmdline  ,?,73,1,1,1,5,0,10,5001,1001,demo,2001,Anna,1,30,5,500,2")
        hub.control("message 101,10:5:5001:1001:2001:3")
        wait_logged(hub, "JoinView", 10, "notify 33 3")
        hub.probe("test-command", "KXLaunch10", "relay 97 10:2", check=False)
        hub.control("message 101,11:5:5001:1001:2001:0")
        wait_logged(hub, "JoinView", 11, "window KXLaunch11")
        settle(hub, 2)
        hub.probe("test-command", "KXLaunch11", "relay 97 11:4")
        wait_client(hub, r"\d+,103,11:4,")
        self.assertEqual([m for m in client_messages(hub) if ",103,10:" in m], [])

    def test_2_who_gets_a_conversation_window(self):
        hub = self.hub
        enter_room(hub, 5)
        wait_logged(hub, "RoomView", 5, "window KXLobby5")
        for message in ("61,3999,aGk=", "61,2003,x,y", "61,2005,aWdub3JlZA==",
                        "61,2001,b25l", "61,2001,dHdv"):
            hub.control("message " + message)
        for player in (2001, 2004, 2003):
            settle(hub, 3)
            hub.probe("test-command", "KXLobby5", "relay 99 %d" % player)
        settle(hub, 4)
        # Every start has been asked for by now; each started process lives on. Anna's
        # two messages are two processes; the ignored player, and relay 99 for players
        # shown as offline or not to be disturbed, start none.
        names = harness.prefix_processes(hub.prefix).values()
        self.assertEqual([n.lower() for n in names].count("chatview.exe"), 5)
        started = lambda: [l.split(" cmdline ", 1)[1] for l in hub.sibling_log()  # noqa
                           if l.startswith("ChatView ") and " cmdline " in l]
        lines = wait_until(lambda: len(started()) >= 5 and started(), 60, what="5 ChatViews")
        expected = [",1,,aGk=,", ",1,Bob,x,y,", ",1,Anna,b25l,", ",1,Anna,dHdv,", ",1,Anna,,"]
        self.assertEqual(sorted(next((e for e in expected if line.endswith(e)), line)
                                for line in lines), sorted(expected))

    def test_3_room_window_hears_the_server_while_boxes_are_up(self):
        hub = self.hub
        before = len(relays(hub, "RoomView", 5))
        hub.control("message 62,2,%s" % b64("Anna"))
        outer, _ = new_box(hub, ENGLISH[0])
        hub.control("message 17,2001,2")
        hub.control("message 62,3,%s" % b64(ZOE))
        inner, _ = new_box(hub, ENGLISH[0], old=[outer])
        for status in (3, 4, 1):
            hub.control("message 17,2001,%d" % status)
        # In order, each acknowledged, the boxes still up.
        expected = ["17 KXMessage,2001,%d" % n for n in (2, 3, 4, 1)]
        wait_until(lambda: [r for r in relays(hub, "RoomView", 5)[before:]
                            if r.startswith("17 ")] == expected, 30,
                   what="the presence changes in the room window")
        pattern = r" > (\d+),(?:17,2001,[1234]|62,3),"
        sent = re.findall(pattern, hub.server_log_text())[-5:]
        for number in sent:
            hub.wait_received(b"2,%s,!" % number.encode(), timeout=30)
        self.assertLessEqual({outer, inner}, set(boxes(hub, ENGLISH[0])))
        close_box(hub, inner)
        close_box(hub, outer)

    def test_4_join_windows_close_with_their_player_room_window_and_room(self):
        hub = self.hub
        for join, room, table, asker in ((1, 5, 5001, 2001), (2, 5, 5001, 2002),
                                         (3, 6, 6001, 2001)):
            hub.control("message 101,%d:%d:%d:%d:1001:0" % (join, room, table, asker))
            wait_logged(hub, "JoinView", join, "window KXLaunch%d" % join)
        closed = lambda join: "notify 1 0" in sibling_lines(hub, "JoinView", join)  # noqa
        hub.control("message 38,7001")  # Anna leaves room 5: only her request there ends
        wait_until(lambda: closed(1), 30, what="join 1 closed")
        self.assertFalse(closed(2) or closed(3))
        hub.probe("test-command", "KXLobby5", "close")  # the room window: room 5's others
        wait_client(hub, r"\d+,38,5,")
        wait_until(lambda: closed(2), 30, what="join 2 closed")
        # Room 6 removed: its request is forgotten without a word to its window.
        hub.control("message 33,6")
        hub.control("message 103,3,5")
        settle(hub, 4)
        self.assertFalse(closed(3))
        self.assertNotIn("notify 34 5", sibling_lines(hub, "JoinView", 3))

    def test_5_undelivered_message_boxes_in_every_language(self):
        hub = self.hub
        caption, first, reasons = ENGLISH
        for reason in (1, 2, 3, 4, 9):
            hub.control("message 62,%d,%s" % (reason, b64("Anna")))
            hwnd, statics = new_box(hub, caption)
            why = reasons[reason - 1] if reason <= 4 else ""
            self.assertEqual(statics, [first + "\r\nAnna " + why])
            box = [w for w in hub.probe("list", harness.MAIN) if w["hwnd"] == hwnd][0]
            self.assertTrue(box.get("topmost"), box)
            self.assertEqual(box.get("parent_class"), "contactswindowname", "owner")
            close_box(hub, hwnd)
        for language, caption, text, nickname, reason in [
                (2, "Tavlora - System Nachricht", "Nachricht konnte nicht gesendet werden."
                 "\r\nJ\u00fcrgen will nicht gest\u00f6rt werden.", "J\u00fcrgen", 3),
                (4, "Tavlora - Wiadomo\u015b\u0107 systemowa", "Nie mo\u017cna dostarczy\u0107 "
                 "wiadomo\u015bci.\r\n\u0141ucja zignorowa\u0142/a wiadomo\u015b\u0107.",
                 "\u0141ucja", 4)]:
            hub.control("message 13,1001,%d,0" % language)
            hub.control("message 62,%d,%s" % (reason, b64(nickname)))
            hwnd, statics = new_box(hub, caption)
            self.assertEqual(statics, [text])
            close_box(hub, hwnd)


if __name__ == "__main__":
    harness.main()
