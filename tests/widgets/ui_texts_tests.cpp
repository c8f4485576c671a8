// Qt's own texts in Japanese, the message boxes, and how the file dialogs take
// their settings and hand back their choice. No dialog is ever shown.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFont>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <string>
#include <vector>

#include "fakes/temp_dir.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_message_boxes.h"
#include "ui/translations.h"

using namespace std::string_literals;

namespace vistel {
namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Installs the Japanese texts for one test and takes them away again.
class JapaneseTextsTest : public ::testing::Test {
protected:
    void SetUp() override {
        translator = InstallJapaneseTranslations(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        ASSERT_NE(translator, nullptr) << "Qt's Japanese catalogue is missing";
    }
    void TearDown() override {
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        QLocale::setDefault(savedLocale);
        QApplication::setFont(savedFont);
    }

    QLocale savedLocale;
    QFont savedFont = QApplication::font();
    QTranslator* translator = nullptr;
};

TEST_F(JapaneseTextsTest, SetsTheJapaneseLocaleAndFont) {
    EXPECT_EQ(QLocale().language(), QLocale::Japanese);
    EXPECT_EQ(QLocale().territory(), QLocale::Japan);
    EXPECT_EQ(QApplication::font().family(), Text(kJapaneseFontFamily));
}

TEST_F(JapaneseTextsTest, MessageBoxButtonsSpeakJapanese) {
    const auto yesNo = MakeMessageBox(MessageKind::YesNo, "続けますか？", nullptr);
    EXPECT_TRUE(yesNo->button(QMessageBox::Yes)->text().startsWith(Text("はい")))
        << yesNo->button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(yesNo->button(QMessageBox::No)->text().startsWith(Text("いいえ")))
        << yesNo->button(QMessageBox::No)->text().toStdString();
    const auto ok = MakeMessageBox(MessageKind::Plain, "終わりました。", nullptr);
    EXPECT_TRUE(ok->button(QMessageBox::Ok)->text().startsWith(QStringLiteral("OK")));
}

TEST_F(JapaneseTextsTest, FileDialogButtonsSpeakJapanese) {
    QFileDialog dialog;
    ConfigureOpenDialog(dialog, CommonDialogSettings{});
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    ASSERT_NE(buttons->button(QDialogButtonBox::Cancel), nullptr);
    EXPECT_TRUE(buttons->button(QDialogButtonBox::Cancel)->text().contains(Text("キャンセル")))
        << buttons->button(QDialogButtonBox::Cancel)->text().toStdString();
}

TEST(MessageBoxTest, EachKindHasItsIconAndButtons) {
    struct Case {
        MessageKind kind;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
    };
    const std::vector<Case> cases = {
        {MessageKind::Plain, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok},
        {MessageKind::Critical, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok},
        {MessageKind::YesNo, QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        const auto box = MakeMessageBox(c.kind, "<画像> がありません。", nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Vistel"));
        EXPECT_EQ(box->text(), Text("<画像> がありません。"));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->icon(), c.icon);
        EXPECT_EQ(box->standardButtons(), c.buttons);
        EXPECT_EQ(box->defaultButton(), box->button(c.defaultButton));
    }
}

TEST(DialogFilterTest, PatternsMatchBothLetterCases) {
    const std::vector<std::pair<std::string, QString>> cases = {
        {"*.LZH;*.ZIP", "*.LZH *.ZIP *.lzh *.zip"},
        {"*.jpg;*.bmp", "*.jpg *.bmp *.JPG *.BMP"},
        {"*.Jpg", "*.Jpg *.jpg *.JPG"},
        {"*.gif;*.GIF", "*.gif *.GIF"},
        {"*.*", "*"},
        {"*.jpg; *.png", "*.jpg *.png *.JPG *.PNG"},
        {"", ""},
    };
    for (const auto& [filter, expected] : cases) {
        SCOPED_TRACE(filter);
        EXPECT_EQ(QtPatterns(filter), expected);
    }
}

TEST(DialogFilterTest, FiltersWithDescriptionsBecomeNamedFilters) {
    const std::vector<std::pair<std::string, QStringList>> cases = {
        {"", {}},
        {"*.LZH;*.ZIP", {"*.LZH *.ZIP *.lzh *.zip"}},
        {"画像|*.jpg;*.png|すべて|*.*", {Text("画像 (*.jpg *.png *.JPG *.PNG)"), Text("すべて (*)")}},
        {"|*.bmp", {"*.bmp *.BMP"}},
        {"書庫|", {}},
    };
    for (const auto& [filter, expected] : cases) {
        SCOPED_TRACE(filter);
        EXPECT_EQ(QtNameFilters(filter), expected);
    }
}

TEST(DialogChoiceTest, SeveralFilesAreHandedBackAsFolderAndNames) {
    const std::vector<std::pair<QStringList, std::string>> cases = {
        {{}, ""},
        {{"/pics/a.jpg"}, "/pics/a.jpg"},
        {{"/pics/a.jpg", "/pics/写真 b.png"}, "/pics\0a.jpg\0写真 b.png"s},
        {{"/a.jpg", "/b.jpg", "/c.jpg"}, "/\0a.jpg\0b.jpg\0c.jpg"s},
    };
    for (const auto& [paths, expected] : cases) {
        SCOPED_TRACE(paths.join(QLatin1Char(',')).toStdString());
        EXPECT_EQ(OpenDialogFileName(paths), expected);
    }
    EXPECT_EQ(JoinMultiSelection("/pics", {"1.jpg", "2.jpg"}), "/pics\0001.jpg\0002.jpg"s);
}

TEST(DialogChoiceTest, ColoursTravelAsBlueGreenRed) {
    EXPECT_EQ(ColorFromBgr(0x00C0FFFFu), QColor(255, 255, 192));
    EXPECT_EQ(ColorFromBgr(0x00123456u), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(BgrFromColor(QColor(0x56, 0x34, 0x12)), 0x00123456u);
    EXPECT_EQ(BgrFromColor(QColor(Qt::white)), 0x00FFFFFFu);
}

TEST(FileDialogSetupTest, OpenDialogTakesTheCommonSettings) {
    fakes::TempDir temp;
    for (const bool several : {false, true}) {
        SCOPED_TRACE(several);
        CommonDialogSettings settings;
        settings.dialogTitle = "圧縮ファイルを開く";
        settings.initDir = temp.path().string() + '\0' + "/ignored";
        settings.filter = "*.LZH;*.ZIP";
        settings.flags = kFlagExplorer | kFlagLongNames | (several ? kFlagAllowMultiSelect : 0);
        QFileDialog dialog;
        ConfigureOpenDialog(dialog, settings);
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog.windowTitle(), Text("圧縮ファイルを開く"));
        EXPECT_EQ(QDir(dialog.directory()).canonicalPath().toStdString(),
                  std::filesystem::canonical(temp.path()).string());
        EXPECT_EQ(dialog.nameFilters(), QStringList{"*.LZH *.ZIP *.lzh *.zip"});
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog.fileMode(), several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    }
}

TEST(FileDialogSetupTest, SaveDialogProposesTheNameAndNeverAsksToOverwrite) {
    fakes::TempDir temp;
    CommonDialogSettings settings;
    settings.dialogTitle = "画像の保存";
    settings.initDir = temp.path().string();
    settings.filter = "*.*";
    settings.fileName = "夏.jpg";
    QFileDialog dialog;
    ConfigureSaveDialog(dialog, settings);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.windowTitle(), Text("画像の保存"));
    EXPECT_EQ(dialog.nameFilters(), QStringList{"*"});
    ASSERT_EQ(dialog.selectedFiles().size(), 1);
    EXPECT_TRUE(dialog.selectedFiles().front().endsWith(Text("/夏.jpg")))
        << dialog.selectedFiles().front().toStdString();
}

}  // namespace
}  // namespace vistel
