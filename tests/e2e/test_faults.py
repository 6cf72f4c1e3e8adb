"""Faults, in sequence on two hubs: the server killed in each phase before the lobby (and
what config.ini keeps after the user's Cancel); against a scripted lobby, acknowledgements and server
messages gone wrong, a hung window during the font broadcast, hostile codes and relay
texts from another process, and 50 lost connections in a row."""

import os
import re
import unittest

import harness
from harness import MAIN, OK, answer_time, client_messages, sync, wait_until

ERROR = "errorwindowname"
CANCEL = "errorwindowname/errorcancelwindowname/errorcancel2windowname"
CONNECT = "connectwindowname"
STATUS = "statuslinewindowname"
TABS = "tabswindowname"
WM_TIMECHANGE = "30"
# A remembered login and two remembered rooms, 5 (in every lobby here) and 77 (in none).
SAVED = harness.saved(extra="30 5 10 20!30 77 1 2!")
PLAYERS = harness.ME + "2001:Anna:1600:3;2002:Bert:1700:4;"
ROOMS = "5:Play Money Arena:2:1;6:Night Owls:3:1;"


def error_text(hub):
    hub.probe("wait-visible", ERROR, "45000")
    return hub.text(ERROR)


def records(hub):
    return hub.read_config_inner().split("!")


def numbered(hub, kind):
    """Numbers of the client's messages of one kind ("10,0": the clock request)."""
    return [int(m.split(",", 1)[0]) for m in client_messages(hub)
            if m.split(",", 1)[1] == kind + ","]


def chat_starts(hub, text):
    return [l for l in harness.sibling_lines(hub, "ChatView") if l.startswith("cmdline ")
            and text in l]


def later_than(hub, before):
    """The client's messages after the first `before`, keep-alives left out."""
    return [m.split(",", 1)[1] for m in client_messages(hub)[before:] if m.split(",")[1] != "1"]


class ServerKilled(harness.HubTest):
    hub_args = dict(config_inner=SAVED, server_args=["--greeting", "none"])

    def test_1_before_any_login_the_remembered_login_is_dropped(self):
        hub = self.hub
        hub.start_hub()  # greeting: the connection is accepted, then the server dies
        wait_until(lambda: hub.connections(3556) == 1, what="the first accept")
        self.assertEqual(hub.text(CONNECT), "Connecting ...")
        # A server that never greets leaves the hub responsive and closable.
        self.assertLess(answer_time(hub), 5)
        self.assertEqual(hub.close_hub(), 0)
        hub.write_config_ini(SAVED)  # closed before any login: the login was dropped
        hub.start_hub()
        wait_until(lambda: hub.connections(3556) == 2, what="the second accept")
        hub.kill_server()
        self.assertIn("No connection to server.", error_text(hub))
        self.assertTrue(hub.visible("errorcancelwindowname"))
        hub.server_args = []
        hub.start_server(["--answer", "none"])  # pairing: introduced, never answered
        hub.click(OK)
        wait_until(lambda: b",!" in hub.received(3555), what="the introduction")
        # OK retries: the error window gone, the connect window over the enabled main one.
        self.assertFalse(hub.visible(ERROR))
        self.assertEqual(hub.text(CONNECT), "Connecting ...")
        self.assertTrue(hub.visible(CONNECT) and hub.window(MAIN)["enabled"])
        hub.kill_server()
        self.assertIn("No connection to server.", error_text(hub))
        # Login sent and never answered: "Logging in" until the server goes, answering.
        hub.start_server(scenario="replies off\nack off\nexpect ,11, 60000\n")
        hub.click(OK)
        hub.wait_received(b"1,11,")
        hub.wait_text(STATUS, "Connected to Tavlora")
        self.assertEqual(hub.text(CONNECT), "Logging in ... Please wait")
        self.assertTrue(hub.visible(CONNECT))
        self.assertLess(answer_time(hub), 5)
        hub.kill_server()
        self.assertIn("Lost connection to server.", error_text(hub))
        self.assertEqual(hub.text(STATUS), "Offline")
        self.assertEqual(hub.text(CONNECT), "Attempting to reconnect ...")
        hub.click(CANCEL)
        self.assertEqual(hub.exit_code(30), 0)
        self.assertFalse([r for r in records(hub) if r.startswith("3 ")],
                         "no login accepted: the remembered one is dropped")
        self.assertLessEqual({"30 5 10 20", "30 77 1 2"}, set(records(hub)), "no room list")

    def test_2_while_loading(self):
        hub = self.hub
        hub.write_config_ini(SAVED)
        # The login accepted and the room list sent; "initial data complete" never comes.
        hub.start_server(scenario=harness.login_scenario(players=PLAYERS, rooms=ROOMS,
                                                         end=False))
        hub.start_hub()
        pattern = r" > (\d+),31,%s!" % re.escape(ROOMS + ",")
        rooms = wait_until(lambda: re.findall(pattern, hub.server_log_text()), 30,
                           what="the room list sent")[0]
        hub.wait_received(b"!2,%s,!" % rooms.encode(), timeout=30)
        self.assertEqual(hub.text(CONNECT), "Loading data ... Please wait")
        hub.kill_server()
        self.assertIn("Lost connection to server.", error_text(hub))
        self.assertFalse(hub.visible(TABS))
        hub.click(CANCEL)
        self.assertEqual(hub.exit_code(30), 0)
        self.assertLessEqual({"3 demo demo1234", "30 5 10 20"}, set(records(hub)))
        self.assertFalse([r for r in records(hub) if r.startswith("30 77 ")],
                         "the first room list did not name room 77")


class Misbehaving(harness.HubTest):
    hub_args = dict(config_inner=SAVED, start=harness.HUB_WITH_HOOK,
                    scenario=harness.login_scenario(
                        players=PLAYERS, rooms=ROOMS, presences="7001:5:2001;7002:5:2002;",
                        tables="5001:5:1:5:500:2001:2002:30:0:0:0:0:0:0:0:0:0:0;",
                        seats="9001:5:5001:2001;9002:5:5001:2002;"))

    def test_1_acknowledgements_and_server_messages_gone_wrong(self):
        hub = self.hub
        sync(hub)
        # Lost: the clock request goes out once; a second one waits behind it.
        hub.control("ack off")
        hub.probe("post", MAIN, WM_TIMECHANGE, "0", "0")
        k = wait_until(lambda: numbered(hub, "10,0"), what="the request")[0]
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
        wait_until(lambda: numbered(hub, "10,0") == [k, k + 1], what="the second")
        for _ in range(2):
            hub.probe("post", MAIN, WM_TIMECHANGE, "0", "0")
        wait_until(lambda: len(numbered(hub, "10,0")) == 4, what="two more")
        self.assertEqual(numbered(hub, "10,0"), [k, k + 1, k + 2, k + 3])
        hub.control("ack on")
        # A server message repeated is dispatched twice: two conversations.
        hub.control("send 901,61,2001,dHdpY2U=,!901,61,2001,dHdpY2U=,!")
        wait_until(lambda: len(chat_starts(hub, "dHdpY2U=")) == 2, what="two ChatView.exe")
        hub.wait_received(b"!2,901,!", timeout=30)
        # Trickled a byte at a time: dispatched once the "!" has come.
        hub.control("trickle 15 902,61,2001,dHJpY2tsZWQ=,!")
        hub.wait_received(b"!2,902,!", timeout=30)
        self.assertGreaterEqual(hub.server_event_ms(r"^pair \d+ < 2,902,!"),
                                hub.server_event_ms(r"^pair \d+ > trickled 902,"))
        wait_until(lambda: chat_starts(hub, "dHJpY2tsZWQ="), what="ChatView.exe")
        sync(hub)
        self.assertEqual(len(chat_starts(hub, "dHJpY2tsZWQ=")), 1)
        self.assertTrue(hub.visible(TABS), "still logged in")
        self.assertLess(answer_time(hub), 5)

    def test_2_a_hung_window_does_not_stop_the_font_broadcast(self):
        hub = self.hub
        # A room window of another process that stops answering for good, and a window
        # that logs what it is told.
        harness.sibling_modes(hub, "RoomView 5 hung\n")
        hub.start_hub(False, "RoomView.exe",
                      args=[" ,?,73,1,1,1,0,1,1001,5,Arena,2,0,0,1,QQ==,"])
        hub.start_hub(False, "KXDebug.exe", args=[" ,?,"])
        for window in ("KXLobby5", "KXDebug"):  # away from the menu bar
            hub.probe("wait", window, "30000")
            hub.probe("test-command", window, "move 600 500")
        hub.probe("post", "KXLobby5", "TavloraIntMessage", "99", "0")
        harness.wait_logged(hub, "RoomView", 5, "hung")
        sync(hub)
        before = len(client_messages(hub))
        # The conversations of the first step closed, out of the menu bar's way; then
        # Options > Settings, the chat font line, OK in the font dialog.
        # A ChatView.exe may still be making its window: close until every one has ended.
        def chats_closed():
            hub.probe("test-command", "KXChat", "close", check=False)
            lines = harness.sibling_lines(hub, "ChatView")
            return sum(l.startswith("cmdline ") for l in lines) == lines.count("exit 0")
        wait_until(chats_closed, 30, what="conversation windows closed")
        hub.choose_from_menu(140, 32)
        hub.wait_visible("settingswindowname")
        hub.click("settingswindowname/settingshead4windowname/settingshead4buttonwindowname")
        dat = os.path.join(hub.settings_dir, "config.dat")
        self.assertFalse(os.path.exists(dat))
        # A real click: the font dialog it opens is modal, so no probe send may wait on it.
        font = hub.window("fontueberschrift2windowname")
        hub.pointer("fontueberschrift2windowname", font["w"] // 2, font["h"] // 2, "click")
        # The font dialog is modal and owned by the main window; OK keeps its choice.
        font_dialog = wait_until(lambda: [w for w in hub.windows() if w.get("class") ==
                                          "#32770" and w.get("visible")], 60,
                                 what="font dialog")[0]
        hub.probe("post", font_dialog["hwnd"], "WM_COMMAND", "1", "0")  # IDOK
        wait_until(lambda: os.path.exists(dat) and os.path.getsize(dat) == 96,
                   what="config.dat of 96 bytes")
        harness.wait_logged(hub, "KXDebug", None, "notify 39 0")
        self.assertLess(answer_time(hub), 5)
        sync(hub)
        self.assertTrue(hub.visible(TABS), "still logged in")
        self.assertEqual(later_than(hub, before), [], "the server is told nothing")
        self.assertNotIn("notify 39 0", harness.sibling_lines(hub, "RoomView", 5))
        hub.click("settingswindowname/settingsclosewindowname")
        hub.wait_hidden("settingswindowname")

    def test_3_codes_from_another_process_then_fifty_lost_connections(self):
        hub = self.hub
        sync(hub)
        before = len(client_messages(hub))
        # Every code but the three that end a connection, each with a random lParam, and
        # codes whose low 32 bits are one of those.
        for first, last in ((-40, 6), (8, 27), (29, 34), (36, 1100),
                            ((1 << 32) - 8, (1 << 32) + 40), ((1 << 62) - 2, (1 << 62) + 8)):
            hub.probe("post-codes", MAIN, hex(first) if first > 0 else str(first), hex(last),
                      str(abs(first) % 100003 + 13))
        sync(hub)  # the codes were posted before the server's message arrived
        self.assertFalse(hub.visible(ERROR))
        self.assertTrue(hub.visible(TABS), "still logged in")
        self.assertEqual(hub.text(STATUS), "Connected to Tavlora")
        self.assertLess(answer_time(hub), 5)
        self.assertEqual(later_than(hub, before), [], "nothing but keep-alives")
        self.assertEqual(hub.connections(3556), 1, "no second connection")
        # Relay texts from another process reach the server only as their codes allow:
        # 100 forwards the text as its bytes give it, 38 leaves a listed room; a size
        # beyond the text's, a text without the exact prefix and a code of all ones do nothing.
        cases = [("100", "KXMessage,17,4,!", None), ("100", "KXMessage,17,2,!tail", "16"),
                 ("100", "KXmessage,17,5,!", None), ("38", "KXMessage,\\xff\\x00,", "70000"),
                 ("0xFFFFFFFF", "\\x00", "0"),
                 ("38", "KXMessage,5,10,20", None), ("38", "KXMessage,77,1,1", None),
                 ("97", "KXMessage,9:1", None), ("99", "KXMessage,2002", None),
                 ("101", "KXMessage,17,3,!", None), ("0", "KXMessage,17,3,!", None),
                 ("0x100000064", "KXMessage,17,3,!", None)]
        cases += [("100", "KXMessage,17,1,!", str(size)) for size in range(11)]
        for code, text, size in cases:
            hub.probe("copydata", MAIN, code, text, *([size] if size else []), check=False)
        wait_until(lambda: "38,5," in later_than(hub, before), what="the room left")
        sync(hub)
        self.assertEqual(later_than(hub, before), ["17,4,", "17,2,", "38,5,"])
        # A hostile 7 ends the connection as a real loss does; OK connects again. A 5 posted
        # while the greeting is held back is not the attempt's report: the hub logs in.
        hub.probe("post", MAIN, "TavloraIntMessage", "7", "123456789")
        self.assertIn("Lost connection to server.", error_text(hub))
        hub.wait_hidden(TABS)
        hub.control("greeting split 0 2000")
        hub.click(OK)
        wait_until(lambda: hub.connections(3556) == 2, what="the second accept")
        hub.probe("post", MAIN, "TavloraIntMessage", "5", "0")
        self.assertIsNone(hub.server_event_ms("rest of the greeting"), "posted before it")
        hub.wait_visible(TABS, timeout=60)
        # Sockets towards the server's ports still held (inode not 0) in the namespace, where
        # the hub is the only client: its own process holds only those it has read or written.
        rows = [r.split() for n in ("tcp", "tcp6")
                for r in harness.read_bytes("/proc/net/" + n).decode().splitlines()[1:]]
        self.assertEqual(len([r for r in rows if int(r[2][-4:], 16) in (3555, 3556) and
                              r[9] != "0"]), 2, "only the connected pair")
        hub.control("greeting split 0 0")
        self.assertEqual(hub.connections(3556), 2)
        self.assertEqual(len([m for m in client_messages(hub) if ",11," in m]), 2)
        # 50 more losses, each with the user's OK; what the hub holds stays flat.
        samples = {}
        for cycle in range(1, 51):
            hub.control("close")
            self.assertIn("Lost connection to server.", error_text(hub))
            hub.click(OK)
            hub.probe("wait-visible", MAIN + "/" + TABS, "45000")
            if cycle in (10, 50):
                samples[cycle] = hub.probe("resources", MAIN)[0]
        self.assertEqual(hub.connections(3556), 52)
        self.assertLessEqual(samples[50]["handles"] - samples[10]["handles"], 10)
        self.assertLess(samples[50]["working_set"] - samples[10]["working_set"], 4 << 20)


if __name__ == "__main__":
    unittest.main()
