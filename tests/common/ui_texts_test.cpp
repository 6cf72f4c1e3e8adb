// Localised texts: exact letters in every language, the fall-back rule, and the texts
// chosen by a model value. Runs natively and under Wine, where wchar_t is 16 bits wide.
#include <gtest/gtest.h>

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

struct TextCase {
    TextId id;
    int language;
    std::u16string expected;
};

TEST(Texts, ExactTextsPerLanguage) {
    const TextCase cases[] = {
        {TextId::ErrorTitle, 2, u"FEHLER"},
        {TextId::ErrorTitle, 4, u"B\u0141\u0104D"},
        {TextId::StatusConnected, 4, u"Po\u0142\u0105czenie z Tavlora"},
        {TextId::StatusOffline, 2, u"Nicht verbunden"},
        {TextId::ConnectLoading, 4, u"\u0141adowanie danych ... Prosz\u0119 czeka\u0107"},
        {TextId::ConnectLoggingIn, 3, u"Controllo dati ... Attendere prego"},
        {TextId::TabRooms, 2, u"R\u00e4ume"},
        {TextId::NewsTitle, 2, u"News"},
        {TextId::NewsTitle, 3, u"News"},
        {TextId::NewsTitle, 4, u"Nowo\u015bci"},
        {TextId::MenuExit, 4, u"Wyj\u015bcie"},
        {TextId::SettingsApply, 2, u"\u00dcbernehmen"},
        {TextId::UsersWord, 4, u" u\u017cytkownik\u00f3w"},
        {TextId::ContactsTitle, 4, u"Kontakty"},
        {TextId::PresenceOnline, 4, u"Po\u0142\u0105czony - Online"},
        {TextId::ScreenTooSmallCaption, 3, u"ERRORE"},
        {TextId::ScreenTooSmallText, 2,
         u"Bildschirm Aufl\u00f6sung zu klein,\r\nkann Fenster nicht anzeigen.\r\n"
         u"Programm wird geschlossen."},
        {TextId::ErrorCancel, 3, u"Annulla"},
        {TextId::CaptionSkipMove, 3, u"Termina turno quando non c\u00b4\u00e9 mosse"},
        {TextId::AboutTranslations, 2, u"\u00dcbersetzungen"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.id));
        SCOPED_TRACE(c.language);
        EXPECT_EQ(Units(TextIn(c.id, c.language)), Units(W(c.expected)));
    }
}

TEST(Texts, UnknownLanguageShowsEnglishButTheErrorCancelStaysEmpty) {
    for (int language : {0, 5, -1, 99}) {
        SCOPED_TRACE(language);
        EXPECT_EQ(Units(TextIn(TextId::TabRooms, language)), Units(W(u"Rooms")));
        EXPECT_EQ(Units(TextIn(TextId::Cancel, language)), Units(W(u"Cancel")));
        EXPECT_EQ(TextIn(TextId::ErrorCancel, language), L"");
    }
    EXPECT_EQ(Units(TextIn(TextId::ErrorCancel, 1)), Units(W(u"Cancel")));
    EXPECT_EQ(Units(TextIn(TextId::ErrorCancel, 4)), Units(W(u"Anuluj")));
}

TEST(Texts, UntranslatedTextsStayEnglish) {
    for (int language : {2, 3, 4}) {
        SCOPED_TRACE(language);
        EXPECT_EQ(Units(TextIn(TextId::LoginUserName, language)), Units(W(u"Username")));
        EXPECT_EQ(Units(TextIn(TextId::LoginTitle, language)), Units(W(u"Log In")));
    }
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
