"""Join requests and undelivered private messages with the real TavloraTest.exe and the
real JoinView.exe: a join request starting its window with the whole command line, the
window's answer reaching the server, the server's answer count reaching the window, and
the box of an undelivered message read from outside in two languages while the hub goes
on answering the server."""

import base64
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

    def test_polish_boxes(self):
        with harness.Hub("joins-box-pl", config_inner=SAVED, scenario=lobby(4)) as hub:
            hub.start_hub(exe=HUB_EXE)
            hub.wait_visible("tabswindowname")
            self.check_boxes(hub, POLISH, "\u0141ucja")


if __name__ == "__main__":
    harness.main()
