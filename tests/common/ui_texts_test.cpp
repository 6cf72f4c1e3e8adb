// Localised texts: exact letters in every language, the fall-back rule, and the texts
// chosen by a model value. Runs natively and under Wine, where wchar_t is 16 bits wide.
#include <gtest/gtest.h>

#include <climits>

#include "tests/common/test_text.h"
#include "ui/main_paint.h"
#include "ui/texts.h"

namespace {

TEST(Texts, EveryIdHasEnglish) {
    for (int i = 0; i < kTextCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(TextIn(static_cast<TextId>(i), 1).empty());
    }
}

// Which text a language gets: 3 Italian, 4 Polish, 2 German, anything else English; a
// text without a translation stays English; the error dialog's Cancel has no English
// fall-back and stays empty outside 1..4.
TEST(Texts, SelectionByLanguageAndFallBacks) {
    struct Case {
        TextId id;
        std::u16string byLanguage[4];  // 1..4
        std::u16string otherwise;      // 0, 5, -1, the extremes
    } cases[] = {
        {TextId::TabRooms, {u"Rooms", u"R\u00e4ume", u"Sale gioco", u"Pokoje gier"}, u"Rooms"},
        // The login dialog's Cancel takes the shared vocabulary and so falls back.
        {TextId::Cancel, {u"Cancel", u"Abbrechen", u"Annulla", u"Anuluj"}, u"Cancel"},
        {TextId::ErrorCancel, {u"Cancel", u"Abbrechen", u"Annulla", u"Anuluj"}, u""},
        // No translation: English in every language.
        {TextId::LoginTitle, {u"Log In", u"Log In", u"Log In", u"Log In"}, u"Log In"},
        {TextId::LoginNewSignup,
         {u"New Player Signup", u"New Player Signup", u"New Player Signup", u"New Player Signup"},
         u"New Player Signup"},
        {TextId::AboutVersionLine,
         {u"Beta V0.6.3 Build 73", u"Beta V0.6.3 Build 73", u"Beta V0.6.3 Build 73",
          u"Beta V0.6.3 Build 73"},
         u"Beta V0.6.3 Build 73"},
        // The same in several languages, still chosen by the rule.
        {TextId::NewsTitle, {u"News", u"News", u"News", u"Nowo\u015bci"}, u"News"},
        {TextId::StatusOffline,
         {u"Offline", u"Nicht verbunden", u"Disconnesso", u"Offline"},
         u"Offline"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.id));
        for (int language = 1; language <= 4; ++language) {
            SCOPED_TRACE(language);
            EXPECT_EQ(Units(TextIn(c.id, language)), Units(W(c.byLanguage[language - 1])));
        }
        for (int language : {0, 5, 6, -1, INT_MIN, INT_MAX}) {
            SCOPED_TRACE(language);
            EXPECT_EQ(Units(TextIn(c.id, language)), Units(W(c.otherwise)));
        }
    }
}

// Letters and spellings that are easy to get wrong: written as the program shows them,
// the odd ones included on purpose.
TEST(Texts, LettersAndSpellingsAsWritten) {
    struct Case {
        TextId id;
        int language;
        std::u16string expected;
    } cases[] = {
        // U+00B4 (acute accent), not an apostrophe.
        {TextId::AddContactNoSuchNickname, 1,
         u"Cannot add contact.\r\nNickname doesn\u00b4t exist."},
        {TextId::CaptionSkipMove, 3, u"Termina turno quando non c\u00b4\u00e9 mosse"},
        {TextId::CaptionAnimateSpeed, 3, u"Velocit\u00e1 dell\u00b4animazione"},
        // Polish and German letters.
        {TextId::ErrorTitle, 4, u"B\u0141\u0104D"},
        {TextId::ConnectConnecting, 4, u"\u0141\u0105czenie ..."},
        {TextId::ConnectLoading, 4, u"\u0141adowanie danych ... Prosz\u0119 czeka\u0107"},
        {TextId::ErrorCancelToExit, 4, u"Anuluj aby wyj\u015b\u0107."},
        {TextId::ErrorClickOkDownload, 4,
         u"Kliknij OK aby \u015bci\u0105gn\u0105\u0107 najnowsz\u0105 wersj\u0119."},
        {TextId::ErrorScreenTooSmall, 2, u"Bildschirm Aufl\u00f6sung zu klein,"},
        {TextId::ErrorTemporarilySuspended, 2, u"(vor\u00fcbergehend) deaktiviert."},
        {TextId::AboutTranslations, 2, u"\u00dcbersetzungen"},
        {TextId::AboutRightsReserved, 4, u"Wszystkie prawa zastrze\u017cone"},
        {TextId::ErrorNewActivationCode, 3, u"\u00c8 stato inviato un nuovo codice di"},
        // Spellings kept as the program has always shown them.
        {TextId::ErrorCancelToExit, 2, u"Abbrechen zum Schliessen."},
        {TextId::ErrorClickOkDownload, 3, u"Click su OK per scricare la nuova versione."},
        {TextId::ErrorDoubleLogin, 3, u"Trovato un dopio login."},
        {TextId::ErrorContactSupport, 3, u"Per favore contattate il support."},
        {TextId::ErrorLostConnection, 3, u"Disconnesso."},
        {TextId::ErrorClickOkActivate, 4, u"Kliknij ok, \u017ceby aktywowa\u0107."},
        {TextId::ErrorTemporarilySuspended, 1, u"(temporary) suspended."},
        {TextId::ConnectLoggingIn, 3, u"Controllo dati ... Attendere prego"},
        {TextId::MenuAdministration, 3, u"Amministratione"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.id));
        SCOPED_TRACE(c.language);
        EXPECT_EQ(Units(TextIn(c.id, c.language)), Units(W(c.expected)));
    }
}

TEST(Texts, JoinTextsLeavesOutEmptyParts) {
    EXPECT_EQ(JoinTexts({L"ERROR", L"", L"one.", L"", L"two."}), L"ERROR one. two.");
    EXPECT_EQ(JoinTexts({L"", L""}), L"");
    EXPECT_EQ(JoinTexts({}), L"");
}

struct ErrorCase {
    int state;
    int language;
    std::u16string lines[4];
};

TEST(Texts, ErrorDialogLines) {
    const ErrorCase cases[] = {
        {2, 1, {u"No connection to server.", u"Click OK to try again.", u"", u"Cancel to exit."}},
        {4, 3, {u"Disconnesso.", u"Click su OK per riprovare.", u"", u"Annulla per uscire."}},
        {6,
         2,
         {u"Verbindung vom Server beendet.", u"Doppeltes Login gefunden.", u"",
          u"Programm wird geschlossen."}},
        {8,
         1,
         {u"This account has been", u"(temporary) suspended.", u"Program will close now.",
          u"Please contact support."}},
        {9,
         4,
         {u"Konto zdeaktywowane przez admina.", u"Nowy kod aktywacyjny zosta\u0142 wys\u0142any",
          u"na tw\u00f3j email.", u"Program zostanie zamkni\u0119ty."}},
        {10,
         5,
         {u"Screen resolution too small,", u"cannot display table.", u"",
          u"Program will close now."}},
        {0, 1, {u"", u"", u"", u""}},
        {1, 2, {u"", u"", u"", u""}},
        {11, 1, {u"", u"", u"", u""}},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.state);
        auto lines = ErrorLines(c.state, c.language);
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(Units(lines[i]), Units(W(c.lines[i])));
        }
    }
}

TEST(Texts, ModelValuesOutOfRangeShowNothingOrTheirFallback) {
    EXPECT_EQ(Units(ConnectPhaseText(2, 2)), Units(W(u"Versuche neue Verbindung ...")));
    EXPECT_EQ(ConnectPhaseText(4, 1), L"");
    EXPECT_EQ(ConnectPhaseText(-1, 1), L"");
    // The status line shows "connected" for any non-zero link state.
    EXPECT_EQ(Units(LinkStateText(2, 1)), Units(W(u"Connected to Tavlora")));
    EXPECT_EQ(Units(PresenceText(3, 2)), Units(W(u"Verbunden - Abwesend")));
    EXPECT_EQ(PresenceText(5, 1), L"");
}

TEST(Texts, ReportedShownOfflineIsLowerCaseInEnglishOnly) {
    struct Case {
        int presence, language;
        const char16_t* text;
    };
    const Case cases[] = {
        {1, 1, u"Connected - Show as offline"},
        {1, 2, u"Verbunden - Als offline anzeigen"},
        {1, 3, u"Connesso - Mostra disconnesso"},
        {1, 4, u"Połączony - Niewidoczny"},
        {3, 1, u"Connected - Away"},
        {4, 4, u"Połączony - Online"},
        {0, 2, u"Nicht verbunden"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.presence * 10 + c.language);
        EXPECT_EQ(Units(ReportedPresenceText(c.presence, c.language)), Units(W(c.text)));
    }
    // The table's spelling stays for the language change.
    EXPECT_EQ(Units(PresenceText(1, 1)), Units(W(u"Connected - Show as Offline")));
    EXPECT_EQ(ReportedPresenceText(5, 1), L"");
}

TEST(WelcomeLines, CountsAndWordsPerLanguage) {
    LobbyCounts counts;
    counts.players = 12;
    counts.playersOnline = 3;
    counts.rooms = 5;
    counts.tables = 7;
    struct Case {
        int language;
        std::u16string greeting, players, lobby;
    } cases[] = {
        {1, u"Welcome anna", u"12 users 3 online", u"5 rooms 7 tables"},
        {2, u"Willkommen anna", u"12 User 3 online", u"5 R\u00e4ume 7 Tische"},
        {3, u"Benvenuto anna", u"12 utenti 3 connessi", u"5 sale 7 tavoli"},
        {4, u"Witaj anna", u"12 u\u017cytkownik\u00f3w 3 online", u"5 pokoje 7 sto\u0142\u00f3w"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        WelcomeLines lines = ComposeWelcomeLines(L"anna", counts, c.language);
        EXPECT_EQ(Units(lines.greeting), Units(W(c.greeting)));
        EXPECT_EQ(Units(lines.players), Units(W(c.players)));
        EXPECT_EQ(Units(lines.lobby), Units(W(c.lobby)));
    }
}

}  // namespace
