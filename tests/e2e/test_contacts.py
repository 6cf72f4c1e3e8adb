"""The contacts window on one hub against a scripted lobby, the sounds heard through Wine's
trace of PlaySoundW: its look in every language, relations, orders, the online sound,
the own presence, the add dialog, deleting, a conversation and its place over a restart."""

import re
import time

import goldens
import harness
from harness import client, wait_client, wait_until

CONTACTS = "contactswindowname"
MENU = "contactsoptionswindowname"
ADD_DIALOG = "contactsaddwindowname"
EDIT = ADD_DIALOG + "/Edit"
FOREGROUND, ADD, ONLINE, AWAY, SORT_ONLINE, HIDE_IGNORED = 2002, 2003, 2004, 2005, 2008, 2011
ONLINE_SOUND = 1005
# Eight listed contacts (and one whose player is not held) of every presence and relation,
# names in mixed case, one too long for its row. The server answers nothing by itself.
EVE = "eve who listens in on every conversation"
LOBBY = harness.login_scenario(
    players=harness.ME + "2001:alice:1500:4;2002:Bob:1500:4;2003:carol:1500:3;"
                         "2004:Dave:1500:1;2005:" + EVE + ":1500:2;2007:Ivan:1500:4;"
                         "2008:mallory:1500:3;2009:Oscar:1500:1;",
    rooms="5:Play Money Arena:2:1;",
    contacts="301:2001:1;302:2002:0;303:2003:0;304:2004:1;305:2005:0;306:2007:2;307:2008:2;"
             "308:2009:1;309:2999:0;")
# Saved sort order (key 28) 1: friends, plain contacts, ignored; each by name.
BY_RELATION = ["Bob", "carol", EVE, "alice", "Dave", "Oscar", "Ivan", "mallory"]
BY_PRESENCE = ["alice", "Bob", "Ivan", "Nina", "carol", "mallory", EVE, "Dave", "Oscar"]
TITLES = {1: "Contacts", 2: "Kontakte", 3: "Contatti", 4: "Kontakty"}
NO_SUCH_NICKNAME = "Cannot add contact.\r\nNickname doesn\u00b4t exist."


def names(hub):
    return [line for line in (hub.text(CONTACTS + "/contactslistwindowname") or "").split("\n")
            if line]


def wait_list(hub, expected, what):
    wait_until(lambda: names(hub) == expected, 30, what="%s: %s" % (what, expected))


def command(hub, number):
    hub.probe("post", CONTACTS, "WM_COMMAND", str(number), "0")


def row_click(hub, row, button="3", repeat=1):
    body = hub.window("contactslistwindowname")
    hub.xdotool("mousemove", body["sx"] + 60, body["sy"] + row * 17 + 8, "click",
                "--repeat", repeat, "--delay", "80", button)


def menu_click(hub, y):
    menu = hub.window(MENU)
    hub.xdotool("mousemove", menu["sx"] + 50, menu["sy"] + y, "click", "1")
    hub.wait_hidden(MENU)


class Contacts(harness.HubTest):
    hub_args = dict(config_inner=harness.SAVED, scenario=LOBBY)

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.hub.log_in(trace="winmm")
        cls.hub.wait_visible(CONTACTS, timeout=60)
        wait_list(cls.hub, BY_RELATION, "by relation, the unheld player left out")

    def test_1_window_menu_and_add_dialog_in_every_language(self):
        hub = self.hub
        rect = goldens.window_rect(hub, CONTACTS)
        body = hub.window("contactslistwindowname")
        for number, suffix in list(goldens.LANGUAGES.items()) + [(1, None)]:
            hub.control("message 13,1001,%d,0" % number)
            hub.wait_text(CONTACTS, TITLES[number], timeout=30)
            if suffix is None:
                break
            goldens.check(hub, "contacts-" + suffix, rect)
            row_click(hub, 1)  # carol's menu: a friend, away
            hub.wait_visible(MENU)
            goldens.check(hub, "contacts-menu-" + suffix, rect)
            # A press on the name row closes it without an action; one below the last row
            # clears the selection.
            menu = hub.window(MENU)
            hub.xdotool("mousemove", menu["sx"] + 100, menu["sy"] + 10, "click", "1")
            hub.wait_hidden(MENU)
            hub.xdotool("mousemove", body["sx"] + 60, body["sy"] + body["h"] - 10, "click", "1")
            command(hub, ADD)  # at the window's top-left; its field (and caret) masked
            hub.wait_visible(ADD_DIALOG)
            goldens.check(hub, "contacts-add-" + suffix, rect, masks=[(43, 43, 154, 25)])
            hub.probe("key", EDIT, "VK_ESCAPE")
            hub.wait_hidden(ADD_DIALOG)
        self.assertEqual(client(hub, r"\d+,5[234],.*"), [])

    def test_2_foreground_and_a_relation_changed_on_the_servers_answer(self):
        hub = self.hub
        self.assertTrue(hub.window(CONTACTS)["topmost"], "kept in the foreground as saved")
        for topmost in (False, True):
            command(hub, FOREGROUND)
            wait_until(lambda: hub.window(CONTACTS)["topmost"] == topmost, what="topmost")
        # "Add to friends" on alice's menu, opened inside the window, sends the change; the
        # row stays until the server answers. A contact added meanwhile shows that the hub
        # went on reading the server.
        row_click(hub, BY_RELATION.index("alice"))
        hub.wait_visible(MENU)
        frame, menu = hub.window(CONTACTS), hub.window(MENU)
        lines = menu["text"].split("\n")
        self.assertEqual((lines[0], lines[2]), ("alice", "Add to friends"))
        self.assertTrue(frame["sx"] <= menu["sx"] and menu["sx"] + 200 <= frame["sx"] + frame["w"]
                        and frame["sy"] <= menu["sy"], "the menu inside the window")
        menu_click(hub, 54)
        wait_client(hub, r"\d+,53,301:0,")
        hub.control("message 21,2010:Nina:1500:4;")
        hub.control("message 51,310:2010:1;")
        wait_list(hub, ["Bob", "carol", EVE, "alice", "Dave", "Nina", "Oscar", "Ivan",
                        "mallory"], "alice still a plain contact")
        hub.control("message 53,301,0")
        wait_list(hub, ["alice", "Bob", "carol", EVE, "Dave", "Nina", "Oscar", "Ivan",
                        "mallory"], "alice a friend after the server's 53")
        self.assertEqual(client(hub, r"\d+,53,.*"), client(hub, r"\d+,53,301:0,"))

    def test_3_a_double_click_starts_a_conversation(self):
        row_click(self.hub, 2, button="1", repeat=2)  # carol
        chat = wait_until(lambda: [l for l in harness.sibling_lines(self.hub, "ChatView")
                                   if l.startswith("cmdline ")], 30, what="ChatView")
        # "?,version,language,foreground,sound,timestamp,isContact,name,text,"
        fields = re.search(r"\?,(?:\d+,){5}(\d+),([^,]*),([^,]*),$", chat[0])
        self.assertEqual((len(chat),) + fields.groups(), (1, "1", "carol", ""), chat[0])

    def test_4_orders_ignored_contacts_and_the_online_sound(self):
        hub = self.hub
        command(hub, SORT_ONLINE)  # online, away, do not disturb, offline; each by name
        wait_list(hub, BY_PRESENCE, "by presence")
        command(hub, HIDE_IGNORED)
        wait_list(hub, [n for n in BY_PRESENCE if n not in ("Ivan", "mallory")], "hidden")
        command(hub, HIDE_IGNORED)
        wait_list(hub, BY_PRESENCE, "ignored contacts shown again")
        # A friend coming online while the window shows: the sound (not the click 1004).
        self.assertEqual(hub.sounds().count(ONLINE_SOUND), 0)
        hub.control("message 17,2005,4")  # eve
        wait_until(lambda: hub.sounds().count(ONLINE_SOUND) == 1, 30, what="eve's sound")
        quiet_from = time.monotonic() + 0.6  # a sound is not cut short by the next one
        # Hidden: a contact coming online plays nothing (the list still follows).
        hub.probe("show", CONTACTS, "0")
        hub.wait_hidden(CONTACTS)
        hub.control("message 17,2009,4")  # Oscar
        wait_list(hub, ["alice", "Bob", EVE, "Ivan", "Nina", "Oscar", "carol", "mallory",
                        "Dave"], "Oscar online while hidden")
        # Shown again: an ignored contact coming online plays nothing, a plain one does.
        hub.probe("show", CONTACTS, "1")
        hub.wait_visible(CONTACTS)
        time.sleep(max(0.0, quiet_from - time.monotonic()))
        hub.control("message 17,2008,4")  # mallory, ignored
        hub.control("message 17,2004,4")  # Dave
        wait_list(hub, ["alice", "Bob", "Dave", EVE, "Ivan", "mallory", "Nina", "Oscar",
                        "carol"], "mallory and Dave online")
        wait_until(lambda: hub.sounds().count(ONLINE_SOUND) >= 2, 30, what="Dave's sound")
        self.assertEqual(hub.sounds().count(ONLINE_SOUND), 2)

    def test_5_own_presence_goes_out_only_as_a_change(self):
        hub = self.hub
        command(hub, AWAY)
        wait_client(hub, r"\d+,17,3,")
        hub.control("message 17,1001,3")
        hub.wait_text(CONTACTS + "/msctls_statusbar32", "Connected - Away")
        command(hub, AWAY)  # nothing; the Online after it shows it was handled
        command(hub, ONLINE)
        wait_client(hub, r"\d+,17,4,")
        self.assertEqual(len(client(hub, r"\d+,17,3,")), 1)
        hub.control("message 17,1001,1")  # presence 1 as the server reports it
        hub.wait_text(CONTACTS + "/msctls_statusbar32", "Connected - Show as offline")

    def test_6_add_dialog(self):
        hub = self.hub
        for name, sent in (("ab", False), ("abc", True)):
            command(hub, ADD)
            hub.wait_visible(ADD_DIALOG)
            hub.probe("settext", EDIT, name)
            hub.probe("post", EDIT, "WM_KEYDOWN", "13", "0")
            if sent:  # three characters go out; the server's "no such nickname" shows the box
                wait_client(hub, r"\d+,52,YWJj,")
                hub.control("message 52,1")
            box = wait_until(lambda: [w for w in hub.windows() if w.get("class") == "Static"
                                      and w.get("text") == NO_SUCH_NICKNAME], 15,
                             what="the failure box")[0]
            self.assertFalse(hub.visible(ADD_DIALOG))
            self.assertEqual(client(hub, r"\d+,52,.*"), client(hub, r"\d+,52,YWJj,")[:int(sent)])
            hub.probe("post", box["parent"], "WM_CLOSE", "0", "0")
            wait_until(lambda: not [w for w in hub.windows() if w.get("hwnd") == box["hwnd"]],
                       15, what="failure box closed")

    def test_7_delete_goes_on_the_servers_answer(self):
        hub = self.hub
        before = names(hub)
        row_click(hub, 0)
        hub.wait_visible(MENU)
        menu_click(hub, 96)
        contact = wait_client(hub, r"\d+,54,\d+,")[0].split(",")[2]
        self.assertEqual(names(hub), before)
        hub.control("message 54," + contact)
        wait_list(hub, before[1:], "row gone after the server's 54")

    def test_8_place_kept_over_a_restart(self):
        # Kept while the window lies wholly on the work area: a move half off the screen
        # is not remembered.
        hub = self.hub
        hub.probe("move", CONTACTS, "100", "150", "320", "420")
        wait_until(lambda: (hub.window(CONTACTS)["sx"], hub.window(CONTACTS)["sy"]) ==
                   (100, 150), what="window moved")
        hub.probe("move", CONTACTS, "-50", "150")
        wait_until(lambda: hub.window(CONTACTS)["sx"] == -50, what="moved half off")
        self.assertEqual(hub.close_hub(), 0)
        self.assertIn("!2 100 150 320 420!", hub.read_config_inner())
        hub.log_in()
        hub.wait_visible(CONTACTS, timeout=60)
        frame = hub.window(CONTACTS)
        self.assertEqual((frame["sx"], frame["sy"], frame["w"], frame["h"]), (100, 150, 320, 420))


if __name__ == "__main__":
    harness.main()
