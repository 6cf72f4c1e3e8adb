"""Faults with the real Tavlora.exe: the server killed in each phase, acknowledgements
lost, duplicated and out of order, server messages repeated, trickled or held back behind
10 MB without "!", hostile notification codes and relay texts from another process, a
window that takes a sibling's class name first, a hung window during the font broadcast,
and 50 lost connections in a row. Each case checks what the user sees and, where the hub
closes, what config.ini holds."""

import os
import re
import subprocess
import time
import unittest

import harness

MAIN = "KXLobby0"
ERROR = "errorwindowname"
OK = "errorwindowname/errorokwindowname/errorok2windowname"
CANCEL = "errorwindowname/errorcancelwindowname/errorcancel2windowname"
CONNECT = "connectwindowname"
STATUS = "statuslinewindowname"
TABS = "tabswindowname"
WM_TIMECHANGE = "30"

SETTINGS = ("!4 1!5 1!6 1!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!16 1!17 1!18 1!19 1!20 1!"
            "21 1!22 0!23 1!24 0!25 0!26 1!27 1!28 1!29 1!")
# A remembered login and two remembered rooms, 5 (in every lobby here) and 77 (in none).
SAVED = "73!3 demo demo1234" + SETTINGS + "30 5 10 20!30 77 1 2!"

LOGIN_UNANSWERED = """replies off
ack off
expect ,11, 60000
"""

# The login accepted and the room list sent, then nothing: "initial data complete" never
# comes.
LOBBY_CUT_SHORT = """replies off
expect ,11, 60000
message 11,5
message 13,1001,1,0
message 14,12345,99999,7
message 21,1001:demo:1500:4;2001:Anna:1600:3;
message 31,5:Play Money Arena:2:1;6:Night Owls:3:1;
"""

# A whole small login for every connection, over in a few messages.
SMALL_LOBBY = """replies off
expect ,11, 60000
message 11,5
message 13,1001,1,0
message 14,12345,99999,7
message 21,1001:demo:1500:4;2001:Anna:1600:3;2002:Bert:1700:4;
message 31,5:Play Money Arena:2:1;6:Night Owls:3:1;
message 32,7001:5:2001;7002:5:2002;
message 71,5001:5:1:5:500:2001:2002:30:0:0:0:0:0:0:0:0:0:0;
message 72,9001:5:5001:2001;9002:5:5001:2002;
message 15,0
"""


def error_text(hub):
    """The error window's lines once it shows. The probe waits on its own: a whole window
    list taken while the hub hides its panels is not needed to see one window appear."""
    hub.probe("wait-visible", ERROR, "45000")
    return hub.window(ERROR)["text"]


def answer_time(hub):
    start = time.monotonic()
    hub.probe("send", MAIN, "WM_NULL", "0", "0")
    return time.monotonic() - start


def shown_text(hub, cls):
    return hub.window(cls)["text"]


def exit_code(hub):
    """The hub's exit code once it has ended by itself; the next start_hub starts anew."""
    code = hub.hub.wait(30)
    hub.hub = None
    return code


def config_records(hub):
    return hub.read_config_inner().split("!")


def numbered(hub, kind):
    """Numbers of the client's messages of one kind ("10,0" for the clock request), in
    the order the server received them."""
    return [int(m.split(",", 1)[0]) for m in harness.client_messages(hub)
            if m.split(",", 1)[1] == kind + ","]


def chat_starts(hub, text):
    """ChatView.exe command lines that carry the text."""
    return [line for line in hub.sibling_log()
            if line.startswith("ChatView ") and " cmdline " in line and text in line]


def server_sent_number(hub, text):
    """The number the server gave its message `text` (waits until it was sent)."""
    pattern = r" > (\d+)," + re.escape(text) + ",!"
    return int(harness.wait_until(lambda: re.findall(pattern, hub.server_log_text()),
                                  timeout=30, what="server message " + text)[-1])


def acknowledged(hub, number, timeout=30):
    # Every piece on the outbound connection ends in "!", the introduction first.
    hub.wait_received(b"!2,%d,!" % number, timeout=timeout)


def sync(hub):
    """Until the hub has dispatched a server message sent now, and everything before it."""
    marker = r" > (\d+),17,2001,3,!"
    before = len(re.findall(marker, hub.server_log_text()))
    hub.control("message 17,2001,3")
    sent = harness.wait_until(
        lambda: re.findall(marker, hub.server_log_text())[before:], timeout=30,
        what="the marker message")
    acknowledged(hub, int(sent[0]))


class ServerKilled(unittest.TestCase):
    def test_killed_before_any_login_drops_the_remembered_login(self):
        with harness.Hub("faults-before-login", config_inner=SAVED,
                         server_args=["--greeting", "none"]) as hub:
            # Greeting: the connection is accepted, then the server dies.
            hub.start_hub()
            harness.wait_until(lambda: hub.connections(3556) == 1, what="the first accept")
            self.assertEqual(shown_text(hub, CONNECT), "Connecting ...")
            hub.kill_server()
            self.assertIn("No connection to server.", error_text(hub))
            self.assertTrue(hub.visible("errorcancelwindowname"))

            # Pairing: greeted and introduced, never answered.
            hub.server_args = ["--answer", "none"]
            hub.start_server()
            hub.click(OK)
            harness.wait_until(lambda: b",!" in hub.received(3555), what="the introduction")
            hub.kill_server()
            self.assertIn("No connection to server.", error_text(hub))

            # Login: connected, the login sent and never answered or acknowledged. Until
            # the server goes the hub stays in "Logging in", and answers.
            hub.server_args = []
            hub.scenario = LOGIN_UNANSWERED
            hub.start_server()
            hub.click(OK)
            hub.wait_received(b"1,11,")
            harness.wait_until(lambda: shown_text(hub, STATUS) == "Connected to Tavlora",
                               what="connected")
            self.assertEqual(shown_text(hub, CONNECT), "Logging in ... Please wait")
            self.assertTrue(hub.visible(CONNECT))
            self.assertLess(answer_time(hub), 5)
            hub.kill_server()
            self.assertIn("Lost connection to server.", error_text(hub))
            self.assertEqual(shown_text(hub, STATUS), "Offline")
            self.assertEqual(shown_text(hub, CONNECT), "Attempting to reconnect ...")

            hub.click(CANCEL)
            self.assertEqual(exit_code(hub), 0)
            records = config_records(hub)
            self.assertFalse([r for r in records if r.startswith("3 ")],
                             "no login accepted: the remembered one is dropped")
            self.assertIn("30 5 10 20", records)
            self.assertIn("30 77 1 2", records, "no room list came")

    def test_killed_while_loading_and_with_a_message_outstanding(self):
        with harness.Hub("faults-loading", config_inner=SAVED,
                         scenario=LOBBY_CUT_SHORT) as hub:
            hub.start_hub()
            rooms = server_sent_number(hub, "31,5:Play Money Arena:2:1;6:Night Owls:3:1;")
            acknowledged(hub, rooms)
            self.assertEqual(shown_text(hub, CONNECT), "Loading data ... Please wait")
            hub.kill_server()
            self.assertIn("Lost connection to server.", error_text(hub))
            self.assertFalse(hub.visible(TABS))
            hub.click(CANCEL)
            self.assertEqual(exit_code(hub), 0)
            records = config_records(hub)
            self.assertIn("3 demo demo1234", records, "the login was accepted")
            self.assertIn("30 5 10 20", records)
            self.assertFalse([r for r in records if r.startswith("30 77 ")],
                             "the first room list did not name room 77")

            # The whole demo lobby, then the clock request outstanding when the server dies.
            hub.scenario = None
            hub.start_server()
            hub.start_hub()
            hub.wait_visible(TABS, timeout=60)
            hub.control("ack off")
            hub.probe("post", MAIN, WM_TIMECHANGE, "0", "0")
            harness.wait_until(lambda: numbered(hub, "10,0"), what="the clock request")
            hub.kill_server()
            self.assertIn("Lost connection to server.", error_text(hub))
            hub.wait_hidden(TABS)
            self.assertEqual(shown_text(hub, STATUS), "Offline")
            hub.click(CANCEL)
            self.assertEqual(exit_code(hub), 0)
            self.assertIn("3 demo demo1234", config_records(hub))


class Traffic(unittest.TestCase):
    def test_acknowledgements_and_server_messages_gone_wrong(self):
        with harness.Hub("faults-traffic", config_inner=SAVED) as hub:
            hub.start_hub()
            hub.wait_visible(TABS, timeout=60)
            sync(hub)

            # Lost: the clock request goes out once; a second one waits behind it.
            hub.control("ack off")
            hub.probe("post", MAIN, WM_TIMECHANGE, "0", "0")
            k = harness.wait_until(lambda: numbered(hub, "10,0"), what="the request")[0]
            hub.probe("post", MAIN, WM_TIMECHANGE, "0", "0")
            # Out of order: acknowledgements of the next and of the previous number.
            hub.control("send 2,%d,!" % (k + 1))
            hub.control("send 2,%d,!" % (k - 1))
            sync(hub)
            sync(hub)
            self.assertEqual(numbered(hub, "10,0"), [k], "still waiting for its acknowledgement")
            # The right one releases the next message; duplicated ones change nothing.
            hub.control("ack duplicate")
            hub.control("send 2,%d,!" % k)
            harness.wait_until(lambda: numbered(hub, "10,0") == [k, k + 1], what="the second")
            for _ in range(2):
                hub.probe("post", MAIN, WM_TIMECHANGE, "0", "0")
            harness.wait_until(lambda: len(numbered(hub, "10,0")) == 4, what="two more")
            self.assertEqual(numbered(hub, "10,0"), [k, k + 1, k + 2, k + 3])
            hub.control("ack on")

            # A server message repeated is dispatched twice: two conversations.
            hub.control("send 901,61,2001,dHdpY2U=,!901,61,2001,dHdpY2U=,!")
            harness.wait_until(lambda: len(chat_starts(hub, "dHdpY2U=")) == 2,
                               what="two ChatView.exe")
            acknowledged(hub, 901)

            # Trickled a byte at a time: dispatched once the "!" has come.
            hub.control("trickle 15 902,61,2001,dHJpY2tsZWQ=,!")
            acknowledged(hub, 902)
            trickled = hub.server_event_ms(r"^pair \d+ > trickled 902,")
            acked = hub.server_event_ms(r"^pair \d+ < 2,902,!")
            self.assertIsNotNone(trickled)
            self.assertGreaterEqual(acked, trickled)
            harness.wait_until(lambda: chat_starts(hub, "dHJpY2tsZWQ="), what="ChatView.exe")

            # 10 MB without "!" after a whole message: nothing is dispatched until a later
            # read ends in "!", then everything at once.
            hub.control("send 903,61,2001,YmVoaW5k,!xxxx")
            hub.control("big 10000000")
            hub.control("big 1")
            harness.wait_until(lambda: hub.server_event_ms(r'> 1 bytes without "!"'),
                               timeout=120, what="10 MB written")
            self.assertEqual(chat_starts(hub, "YmVoaW5k"), [])
            self.assertNotIn(b"!2,903,!", hub.received())
            hub.control("send !")
            acknowledged(hub, 903, timeout=60)
            harness.wait_until(lambda: chat_starts(hub, "YmVoaW5k"), what="ChatView.exe")
            sync(hub)
            self.assertEqual(len(chat_starts(hub, "YmVoaW5k")), 1)
            self.assertEqual(len(chat_starts(hub, "dHJpY2tsZWQ=")), 1)
            self.assertTrue(hub.visible(TABS), "still logged in")
            self.assertLess(answer_time(hub), 5)


class HostilePeers(unittest.TestCase):
    def test_codes_from_another_process_then_fifty_lost_connections(self):
        with harness.Hub("faults-codes", config_inner=SAVED, scenario=SMALL_LOBBY) as hub:
            hub.start_hub()
            hub.wait_visible(TABS, timeout=60)
            sync(hub)
            before = len(harness.client_messages(hub))
            # Every code but the three that end a connection, each with a random lParam,
            # and codes whose low 32 bits are one of those.
            for first, last in ((-40, 6), (8, 27), (29, 34), (36, 1100),
                                ((1 << 32) - 8, (1 << 32) + 40), ((1 << 62) - 2, (1 << 62) + 8)):
                hub.probe("post-codes", MAIN, hex(first) if first > 0 else str(first), hex(last),
                          str(abs(first) % 100003 + 13))
            sync(hub)  # the codes were posted before the server's message arrived
            self.assertFalse(hub.visible(ERROR))
            self.assertTrue(hub.visible(TABS), "still logged in")
            self.assertEqual(shown_text(hub, STATUS), "Connected to Tavlora")
            self.assertLess(answer_time(hub), 5)
            later = harness.client_messages(hub)[before:]
            self.assertEqual([m for m in later if m.split(",")[1] != "1"], [],
                             "nothing but keep-alives reached the server")
            self.assertEqual(hub.connections(3556), 1, "no second connection")

            # Relay texts from another process reach the server only as their codes allow:
            # 100 forwards the text as its bytes give it, 38 leaves a listed room.
            cases = [("100", "KXMessage,17,4,!", None), ("100", "KXMessage,17,2,!tail", "16"),
                     ("38", "KXMessage,5,10,20", None), ("38", "KXMessage,77,1,1", None),
                     ("97", "KXMessage,9:1", None), ("99", "KXMessage,2002", None),
                     ("101", "KXMessage,17,3,!", None), ("0", "KXMessage,17,3,!", None),
                     ("0x100000064", "KXMessage,17,3,!", None)]
            cases += [("100", "KXMessage,17,1,!", str(size)) for size in range(11)]
            for code, text, size in cases:
                hub.probe("copydata", MAIN, code, text, *([size] if size else []))
            harness.wait_until(lambda: [m for m in harness.client_messages(hub)[before:]
                                        if ",38," in m], what="the room left")
            sync(hub)
            later = harness.client_messages(hub)[before:]
            self.assertEqual([m.split(",", 1)[1] for m in later if m.split(",")[1] != "1"],
                             ["17,4,", "17,2,", "38,5,"])

            # A hostile 7 ends the connection as a real loss does; OK connects again.
            hub.probe("post", MAIN, "TavloraIntMessage", "7", "123456789")
            self.assertIn("Lost connection to server.", error_text(hub))
            hub.wait_hidden(TABS)
            hub.click(OK)
            hub.wait_visible(TABS, timeout=60)
            self.assertEqual(hub.connections(3556), 2)
            self.assertEqual(len([m for m in harness.client_messages(hub) if ",11," in m]), 2)

            # 50 more losses, each with the user's OK; what the hub holds stays flat.
            samples = {}
            for cycle in range(1, 51):
                hub.control("close")
                hub.probe("wait-visible", ERROR, "45000")
                if cycle % 10 == 0:
                    self.assertIn("Lost connection to server.", hub.window(ERROR)["text"])
                hub.click(OK)
                hub.probe("wait-visible", MAIN + "/" + TABS, "45000")
                if cycle in (10, 50):
                    samples[cycle] = hub.probe("resources", MAIN)[0]
            self.assertEqual(hub.connections(3556), 52)
            print("\nafter 10 and 50 reconnects: %s / %s" % (samples[10], samples[50]))
            self.assertLessEqual(samples[50]["handles"] - samples[10]["handles"], 10)
            self.assertLess(samples[50]["working_set"] - samples[10]["working_set"], 4 << 20)


def enter_room(hub, room):
    hub.probe("post", MAIN, "TavloraIntMessage", "900", str(room))


class Impostor(unittest.TestCase):
    def test_a_window_that_takes_a_rooms_class_first_hears_nothing(self):
        with harness.Hub("faults-impostor", config_inner=SAVED, scenario=SMALL_LOBBY) as hub:
            hub.start_hub(exe="TavloraTest.exe")
            hub.wait_visible(TABS, timeout=60)
            impostor = subprocess.Popen(
                ["wine", os.path.join(harness.BIN, "probe.exe"), "claim", "KXLobby5", "600000"],
                env=hub.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            hub.processes.append(impostor)
            hub.files.append(impostor.stdout)
            first = harness.read_start_line(impostor.stdout.fileno(), 60, "the impostor")
            handle = re.search(r'"hwnd":"(0x[0-9A-F]+)"', first).group(1)

            # The room's own program makes no window: the launch finds none of its own.
            # Each launch also closes the handle of the process it started.
            harness.sibling_modes(hub, "RoomView 5 no-window\n")
            handles = []
            for launch in range(1, 6):
                enter_room(hub, 5)
                harness.wait_until(lambda: [line for line in hub.sibling_log()
                                            if line == "RoomView 5 exit 3"][launch - 1:],
                                   timeout=60, what="RoomView.exe without a window")
                sync(hub)
                self.assertFalse([m for m in harness.client_messages(hub) if ",32,5," in m],
                                 "the room was not entered")
                if launch in (1, 5):
                    handles.append(hub.probe("resources", MAIN)[0]["handles"])
            # Wine's WaitForInputIdle keeps a handle of the child's idle event per call
            # (measured: one per launch, none when it is not called); the launch's own
            # handles, such as the process handle, must add nothing to that.
            self.assertLessEqual(handles[1] - handles[0], 4 + 1, "four launches")

            # With its window, the room's program is taken on, beside the impostor.
            harness.sibling_modes(hub, "RoomView 5 normal\n")
            enter_room(hub, 5)
            harness.wait_until(lambda: [m for m in harness.client_messages(hub)
                                        if ",32,5," in m], timeout=60, what="room entered")
            harness.wait_until(lambda: [line for line in hub.sibling_log()
                                        if line.startswith("RoomView 5 copydata 21 ")],
                               timeout=30, what="the replay")

            hub.probe("post", handle, "WM_CLOSE", "0", "0")
            heard = impostor.communicate(timeout=30)[0].decode("utf-8", "replace").split()
            self.assertEqual(impostor.returncode, 0)
            self.assertEqual(heard, [], "the impostor was told nothing")


class HungWindow(unittest.TestCase):
    def test_a_hung_window_does_not_stop_the_font_broadcast(self):
        with harness.Hub("faults-hung-39", config_inner=SAVED, scenario=SMALL_LOBBY) as hub:
            # A room window of another process that stops answering for good, and a
            # window that logs what it is told.
            harness.sibling_modes(hub, "RoomView 5 hung\n")
            for program, parameters, window in (
                    ("RoomView.exe", " ,?,73,1,1,1,0,1,1001,5,Arena,2,0,0,1,QQ==,", "KXLobby5"),
                    ("KXDebug.exe", " ,?,", "KXDebug")):
                hub.processes.append(subprocess.Popen(
                    ["wine", os.path.join(harness.BIN, program), parameters], env=hub.env,
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
                hub.probe("wait", window, "30000")
            hub.probe("post", "KXLobby5", "TavloraIntMessage", "99", "0")
            harness.wait_until(lambda: "RoomView 5 hung" in hub.sibling_log(), what="hung")
            hub.start_hub()
            hub.wait_visible(TABS, timeout=60)
            sync(hub)
            before = len(harness.client_messages(hub))

            # Options > Settings, the chat font line, OK in the font dialog.
            bar = hub.window("headmenuwindowname")
            hub.xdotool("mousemove", bar["sx"] + 140, bar["sy"] + 10, "mousedown", 1,
                        "mousemove", bar["sx"] + 140, bar["sy"] + 32, "mouseup", 1)
            hub.wait_visible("settingswindowname")
            hub.click("settingswindowname/settingshead4windowname/settingshead4buttonwindowname")
            caption = "settingswindowname/fontueberschriftwindowname/fontueberschrift2windowname"
            hub.probe("post", caption, "WM_LBUTTONDOWN", "1", "0")
            hub.probe("post", caption, "WM_LBUTTONUP", "0", "0")
            font_dialog = harness.wait_until(
                lambda: [w for w in hub.windows() if w.get("class") == "#32770" and
                         w.get("visible")], what="the font dialog")[0]
            hub.probe("post", font_dialog["hwnd"], "WM_COMMAND", "1", "0")  # IDOK
            harness.wait_until(lambda: [line for line in hub.sibling_log()
                                        if line.startswith("KXDebug ") and
                                        line.endswith(" notify 39 0")],
                               timeout=30, what="code 39 at the listening window")
            self.assertLess(answer_time(hub), 5)
            sync(hub)
            self.assertTrue(hub.visible(TABS), "still logged in")
            later = harness.client_messages(hub)[before:]
            self.assertEqual([m for m in later if m.split(",")[1] != "1"], [],
                             "the server is told nothing")
            self.assertNotIn("notify 39 0", " ".join(
                line for line in hub.sibling_log() if line.startswith("RoomView 5 ")))


if __name__ == "__main__":
    harness.main()
