"""The contacts window with the real Tavlora.exe against the development server: the
list filled from the demo lobby's relations, the context menu opened by a right-click and
kept inside the window, its relation and delete messages, the add dialog's short-name
rule and its message, the own presence sent only as a change, and a double-click
starting a private conversation. Against a scripted lobby: both sort orders, a relation
that changes only on the server's answer, the chat window's command line, ignored
contacts hidden, the sound of a contact coming online only while the window shows, the
own presence the server reports, and the window's place kept over a restart."""

import os
import re
import subprocess
import unittest

import goldens
import harness

SAVED = ("73!3 demo demo1234!4 1!5 1!6 1!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!16 1!17 1!"
         "18 1!19 1!20 1!21 1!22 0!23 1!24 0!25 0!26 1!27 1!28 1!29 1!")
CONTACTS = "contactswindowname"
LIST = CONTACTS + "/contactslistwindowname"
MENU = "contactsoptionswindowname"
EDIT = "contactsaddwindowname/Edit"
NO_SUCH_NICKNAME = "Cannot add contact.\r\nNickname doesn\u00b4t exist."
AWAY, ONLINE, ADD = 2005, 2004, 2003


def xdotool(hub, *args):
    subprocess.run(["xdotool"] + [str(a) for a in args],
                   env=dict(os.environ, DISPLAY=hub.display), check=True)


def list_names(hub):
    w = hub.window("contactslistwindowname")
    return [line for line in (w or {}).get("text", "").split("\n") if line]


def client(hub, pattern):
    regex = re.compile(pattern)
    return [m for m in harness.client_messages(hub) if regex.fullmatch(m)]


def wait_client(hub, pattern, timeout=30.0):
    return harness.wait_until(lambda: client(hub, pattern), timeout,
                              what="client message " + pattern)


def box_with(hub, text):
    for w in hub.windows():
        if w.get("top_level") and w.get("visible") and text in w.get("text", ""):
            return w
    for w in hub.windows():
        if w.get("class") == "Static" and text in w.get("text", ""):
            return w
    return None


def command(hub, number):
    hub.probe("post", CONTACTS, "WM_COMMAND", str(number), "0")


# A lobby the test knows: eight listed contacts (and one whose player is not held) of
# every presence and relation, names in mixed case. The server answers nothing by itself:
# the test sends its answers on the control channel.
SCRIPTED_LOBBY = """replies off
expect ,11, 60000
message 11,5
message 13,1001,1,0
message 14,12345,99999,7
message 21,1001:demo:1500:4;2001:alice:1500:4;2002:Bob:1500:4;2003:carol:1500:3;2004:Dave:1500:1;2005:eve:1500:2;2007:Ivan:1500:4;2008:mallory:1500:3;2009:Oscar:1500:1;
message 31,5:Play Money Arena:2:1;
message 51,301:2001:1;302:2002:0;303:2003:0;304:2004:1;305:2005:0;306:2007:2;307:2008:2;308:2009:1;309:2999:0;
message 15,0
"""
# SAVED has contactSortOrder (key 28) 1: friends, plain contacts, ignored; each by name.
BY_RELATION = ["Bob", "carol", "eve", "alice", "Dave", "Oscar", "Ivan", "mallory"]
SORT_ONLINE, HIDE_IGNORED, FOREGROUND = 2008, 2011, 2002
ONLINE_SOUND = 1005


class ScriptedContactsTest(unittest.TestCase):
    def start(self, hub):
        # Wine's own trace of PlaySoundW tells which sounds the hub plays.
        self.trace = os.path.join(hub.dir, "hub-trace-%d.log" % len(hub.processes))
        env = dict(hub.env, WINEDEBUG="-all,trace+winmm")
        with open(self.trace, "wb") as out:
            process = subprocess.Popen(["wine", os.path.join(harness.BIN, "Tavlora.exe")],
                                       env=env, stdout=subprocess.DEVNULL, stderr=out)
        hub.processes.append(process)
        hub.hub = process
        hub.probe("wait", "KXLobby0", "20000")
        hub.wait_visible(CONTACTS, timeout=60)

    def sounds(self, number):
        with open(self.trace, encoding="utf-8", errors="replace") as f:
            text = f.read()
        return [int(n, 16) for n in re.findall(r"proc_PlaySound SoundName=#([0-9a-fA-F]+) ",
                                               text)].count(number)

    def wait_list(self, hub, names, what):
        harness.wait_until(lambda: list_names(hub) == names, timeout=30,
                           what="%s: %s (shown: %s)" % (what, names, list_names(hub)))

    def row_point(self, hub, name):
        body = hub.window("contactslistwindowname")
        row = list_names(hub).index(name)
        return body["sx"] + 60, body["sy"] + row * 17 + 8

    def test_orders_relations_chat_sound_and_place(self):
        with harness.Hub("contacts-scripted", scenario=SCRIPTED_LOBBY,
                         config_inner=SAVED) as hub:
            self.start(hub)
            self.wait_list(hub, BY_RELATION, "by relation, the unheld player left out")

            # Kept in the foreground as saved (key 27); the Options item switches it.
            self.assertTrue(hub.window(CONTACTS)["topmost"])
            command(hub, FOREGROUND)
            harness.wait_until(lambda: not hub.window(CONTACTS)["topmost"], timeout=15,
                               what="no longer topmost")
            command(hub, FOREGROUND)
            harness.wait_until(lambda: hub.window(CONTACTS)["topmost"], timeout=15,
                               what="topmost again")

            # "Add to friends" on a plain contact sends the change; the row stays where it
            # is until the server answers. A contact added meanwhile (an appended 51 and
            # its player) shows that the hub went on reading the server.
            x, y = self.row_point(hub, "alice")
            xdotool(hub, "mousemove", x, y, "click", "3")
            hub.wait_visible(MENU)
            menu = hub.window(MENU)
            self.assertEqual(menu["text"].split("\n")[2], "Add to friends")
            xdotool(hub, "mousemove", menu["sx"] + 50, menu["sy"] + 54, "click", "1")
            wait_client(hub, r"\d+,53,301:0,")
            hub.wait_hidden(MENU)
            hub.control("message 21,2010:Nina:1500:4;")
            hub.control("message 51,310:2010:1;")
            self.wait_list(hub, ["Bob", "carol", "eve", "alice", "Dave", "Nina", "Oscar", "Ivan",
                                 "mallory"], "alice still a plain contact")
            hub.control("message 53,301,0")
            self.wait_list(hub, ["alice", "Bob", "carol", "eve", "Dave", "Nina", "Oscar", "Ivan",
                                 "mallory"], "alice a friend after the server's 53")
            self.assertEqual(client(hub, r"\d+,53,.*"), client(hub, r"\d+,53,301:0,"))

            # A double-click starts ChatView.exe for that contact: isContact 1, its name.
            x, y = self.row_point(hub, "carol")
            xdotool(hub, "mousemove", x, y, "click", "--repeat", "2", "--delay", "80", "1")
            chat = harness.wait_until(
                lambda: [line for line in hub.sibling_log()
                         if line.startswith("ChatView ") and " cmdline " in line], timeout=30,
                what="ChatView's command line")
            self.assertEqual(len(chat), 1)
            # "?,version,language,foreground,sound,timestamp,isContact,name,text,"
            fields = re.search(r"\?,(?:\d+,){5}(\d+),([^,]*),([^,]*),$", chat[0])
            self.assertIsNotNone(fields, chat[0])
            self.assertEqual(fields.groups(), ("1", "carol", ""), chat[0])

            # By presence: online, away, do not disturb, shown as offline; each by name.
            command(hub, SORT_ONLINE)
            by_presence = ["alice", "Bob", "Ivan", "Nina", "carol", "mallory", "eve", "Dave",
                           "Oscar"]
            self.wait_list(hub, by_presence, "by presence")

            # Ignored contacts hidden and shown again.
            command(hub, HIDE_IGNORED)
            self.wait_list(hub, [n for n in by_presence if n not in ("Ivan", "mallory")],
                           "ignored contacts hidden")
            command(hub, HIDE_IGNORED)
            self.wait_list(hub, by_presence, "ignored contacts shown again")

            # A friend coming online while the window shows: the sound, whatever the sound
            # setting (sound is on here, but the click sound 1004 is not what is counted).
            self.assertEqual(self.sounds(ONLINE_SOUND), 0)
            hub.control("message 17,2005,4")  # eve
            harness.wait_until(lambda: self.sounds(ONLINE_SOUND) == 1, timeout=30,
                               what="sound of eve coming online")
            # Hidden: a contact coming online plays nothing (the list still follows).
            hub.probe("show", CONTACTS, "0")
            hub.wait_hidden(CONTACTS)
            hub.control("message 17,2009,4")  # Oscar
            self.wait_list(hub, ["alice", "Bob", "eve", "Ivan", "Nina", "Oscar", "carol",
                                 "mallory", "Dave"], "Oscar online while hidden")
            # Shown again: an ignored contact coming online plays nothing, a plain one does.
            hub.probe("show", CONTACTS, "1")
            hub.wait_visible(CONTACTS)
            hub.control("message 17,2008,4")  # mallory, ignored
            hub.control("message 17,2004,4")  # Dave
            self.wait_list(hub, ["alice", "Bob", "Dave", "eve", "Ivan", "mallory", "Nina",
                                 "Oscar", "carol"], "mallory and Dave online")
            harness.wait_until(lambda: self.sounds(ONLINE_SOUND) >= 2, timeout=30,
                               what="sound of Dave coming online")
            self.assertEqual(self.sounds(ONLINE_SOUND), 2)

            # The own presence 1 as the server reports it: "offline" in lower case.
            hub.control("message 17,1001,1")
            harness.wait_until(
                lambda: (hub.window("msctls_statusbar32") or {}).get("text") ==
                "Connected - Show as offline", timeout=30, what="own presence shown")

            # The window's place: kept while it lies wholly on the work area, so a move
            # half off the screen is not remembered; config.ini has it after the close and
            # the next start puts the window there.
            hub.probe("move", CONTACTS, "100", "150", "320", "420")
            harness.wait_until(lambda: (hub.window(CONTACTS)["sx"], hub.window(CONTACTS)["sy"])
                               == (100, 150), timeout=15, what="window moved")
            hub.probe("move", CONTACTS, "-50", "150")
            harness.wait_until(lambda: hub.window(CONTACTS)["sx"] == -50, timeout=15,
                               what="window moved half off the screen")
            self.assertEqual(hub.close_hub(), 0)
            self.assertIn("!2 100 150 320 420!", hub.read_config_inner())
            self.start(hub)
            frame = hub.window(CONTACTS)
            self.assertEqual((frame["sx"], frame["sy"], frame["w"], frame["h"]),
                             (100, 150, 320, 420))


class ContactsTest(unittest.TestCase):
    def test_contacts_window(self):
        with harness.Hub("contacts", config_inner=SAVED) as hub:
            hub.start_hub()
            hub.wait_visible(CONTACTS)
            harness.wait_until(lambda: list_names(hub), timeout=30, what="contacts listed")
            names = list_names(hub)
            self.assertGreater(len(names), 3)
            hub.screenshot("contacts-list")

            # A name under three characters: the failure box, nothing sent.
            command(hub, ADD)
            hub.wait_visible("contactsaddwindowname")
            hub.probe("settext", EDIT, "ab")
            hub.probe("post", EDIT, "WM_KEYDOWN", "13", "0")
            box = harness.wait_until(lambda: box_with(hub, "Nickname doesn"), timeout=15,
                                     what="failure box")
            self.assertFalse(hub.visible("contactsaddwindowname"))
            hub.screenshot("contacts-add-failure")
            hub.probe("post", box["hwnd"] if box.get("top_level") else box["parent"],
                      "WM_CLOSE", "0", "0")
            harness.wait_until(lambda: not box_with(hub, "Nickname doesn"), timeout=15,
                               what="failure box closed")

            # Three characters: the add goes out (the server has no "abc": its 52 answer
            # shows the same box).
            command(hub, ADD)
            hub.wait_visible("contactsaddwindowname")
            hub.probe("settext", EDIT, "abc")
            hub.probe("post", EDIT, "WM_KEYDOWN", "13", "0")
            wait_client(hub, r"\d+,52,YWJj,")
            self.assertEqual(client(hub, r"\d+,52,.*"), client(hub, r"\d+,52,YWJj,"))
            box = harness.wait_until(lambda: box_with(hub, "Nickname doesn"), timeout=15,
                                     what="the server's failure box")
            hub.probe("post", box["hwnd"] if box.get("top_level") else box["parent"],
                      "WM_CLOSE", "0", "0")
            harness.wait_until(lambda: not box_with(hub, "Nickname doesn"), timeout=15,
                               what="failure box closed")

            # Away goes out once; after the server's echo a second Away sends nothing (the
            # Online after it shows that the second Away was handled).
            command(hub, AWAY)
            wait_client(hub, r"\d+,17,3,")
            harness.wait_until(
                lambda: (hub.window("msctls_statusbar32") or {}).get("text") ==
                "Connected - Away", timeout=15, what="the server's presence echo shown")
            hub.probe("send", CONTACTS, "WM_NULL", "0", "0")
            command(hub, AWAY)
            command(hub, ONLINE)
            wait_client(hub, r"\d+,17,4,")
            self.assertEqual(len(client(hub, r"\d+,17,3,")), 1)

            # Right-click on the first row: the menu, inside the window.
            frame = hub.window(CONTACTS)
            body = hub.window("contactslistwindowname")
            xdotool(hub, "mousemove", body["sx"] + 60, body["sy"] + 8, "click", "3")
            hub.wait_visible(MENU)
            menu = hub.window(MENU)
            self.assertEqual(menu["text"].split("\n")[0], names[0])
            self.assertGreaterEqual(menu["sx"], frame["sx"])
            self.assertGreaterEqual(menu["sy"], frame["sy"])
            self.assertLessEqual(menu["sx"] + 200, frame["sx"] + frame["w"])
            hub.screenshot("contacts-menu")
            before = list_names(hub)
            xdotool(hub, "mousemove", menu["sx"] + 50, menu["sy"] + 54, "click", "1")
            sent = wait_client(hub, r"\d+,53,\d+:[01],")
            hub.wait_hidden(MENU)
            self.assertTrue(sent)

            # Delete: "54,<contact id>".
            xdotool(hub, "mousemove", body["sx"] + 60, body["sy"] + 8, "click", "3")
            hub.wait_visible(MENU)
            menu = hub.window(MENU)
            xdotool(hub, "mousemove", menu["sx"] + 50, menu["sy"] + 96, "click", "1")
            wait_client(hub, r"\d+,54,\d+,")
            harness.wait_until(lambda: len(list_names(hub)) == len(before) - 1, timeout=15,
                               what="row gone after the server's 54")

            # Double-click: ChatView.exe with the contact.
            xdotool(hub, "mousemove", body["sx"] + 60, body["sy"] + 8, "click", "--repeat", "2",
                    "--delay", "80", "1")
            harness.wait_until(lambda: any(line.startswith("ChatView") for line in
                                           hub.sibling_log()), timeout=30,
                               what="ChatView started")


TITLES = {1: "Contacts", 2: "Kontakte", 3: "Contatti", 4: "Kontakty"}


class ContactsLook(unittest.TestCase):
    def test_window_menu_and_add_dialog_in_every_language(self):
        with harness.Hub("contacts-look", scenario=SCRIPTED_LOBBY, config_inner=SAVED) as hub:
            hub.start_hub()
            hub.wait_visible(CONTACTS, timeout=60)
            harness.wait_until(lambda: list_names(hub) == BY_RELATION, timeout=30,
                               what="the scripted contacts")
            rect = goldens.window_rect(hub, CONTACTS)
            body = hub.window("contactslistwindowname")
            for number, suffix in goldens.LANGUAGES.items():
                hub.control("message 13,1001,%d,0" % number)
                harness.wait_until(lambda: hub.text(CONTACTS) == TITLES[number], timeout=30,
                                   what="contacts relabelled")
                goldens.check(hub, "contacts-" + suffix, rect)

                # The context menu on carol's row (she is a friend, away).
                xdotool(hub, "mousemove", body["sx"] + 60, body["sy"] + 17 + 8, "click", "3")
                hub.wait_visible(MENU)
                goldens.check(hub, "contacts-menu-" + suffix, rect)
                # A press on the name row closes it without an action; one below the last
                # row clears the selection.
                menu = hub.window(MENU)
                xdotool(hub, "mousemove", menu["sx"] + 100, menu["sy"] + 10, "click", "1")
                hub.wait_hidden(MENU)
                xdotool(hub, "mousemove", body["sx"] + 60, body["sy"] + body["h"] - 10,
                        "click", "1")

                # The add dialog at the window's top-left; its field (and caret) masked.
                command(hub, ADD)
                hub.wait_visible("contactsaddwindowname")
                goldens.check(hub, "contacts-add-" + suffix, rect, masks=[(43, 43, 154, 25)])
                hub.probe("key", EDIT, "VK_ESCAPE")
                hub.wait_hidden("contactsaddwindowname")
            self.assertEqual(client(hub, r"\d+,5[234],.*"), [])


if __name__ == "__main__":
    harness.main()
