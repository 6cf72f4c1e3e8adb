"""The contacts window with the real Tavlora.exe against the development server: the
list filled from the demo lobby's relations, the context menu opened by a right-click and
kept inside the window, its relation and delete messages, the add dialog's short-name
rule and its message, the own presence sent only as a change, and a double-click
starting a private conversation."""

import os
import re
import subprocess
import unittest

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


if __name__ == "__main__":
    harness.main()
