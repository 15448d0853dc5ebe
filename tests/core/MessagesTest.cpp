#include "core/Messages.h"

#include "Cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace tovimar {
namespace {

TEST(Messages, BytesAreTheShiftJisOfTheJapaneseText) {
    struct Row {
        const char *Name;
        std::string_view Bytes;
        std::string Utf8;
    };
    const Row rows[] = {
        {"WindowNotMade", msg::WindowNotMade, "ウィンドウを作成できません"},
        {"NoSystemReason", msg::NoSystemReason, "Windows から理由は示されませんでした"},
        {"FolderNotFound", msg::FolderNotFound, "フォルダが見つかりません"},
        {"FileNotFound", msg::FileNotFound, "ファイルが見つかりません"},
        {"NameEmpty", msg::NameEmpty, "ファイルネームが入力されていません"},
        {"NameUnchanged", msg::NameUnchanged, "ファイル名に変更がありません"},
        {"NameTaken", msg::NameTaken, "既に同名のファイルが存在しています"},
        {"FileInUse", msg::FileInUse, "ファイルが使用中なので後で処理します"},
        {"RenameFailed", msg::RenameFailed, "リネームに失敗しました"},
        {"CannotOpen", msg::CannotOpen, "ファイルを開けないので処理できません"},
        {"ArgumentUnreadable", msg::ArgumentUnreadable,
         "ファイル名にこのシステムで扱えない文字が含まれています"},
        {"DeleteName", msg::DeleteName, "ファイル削除"},
        {"NoTimer", msg::NoTimer, "タイマーを取得できません"},
        {"VersionCaptionHead", msg::VersionCaptionHead, "Tovimar - バージョン情報（"},
        {"VersionCaptionTail", msg::VersionCaptionTail, "）"},
        {"VersionSecondLine", msg::VersionSecondLine,
         "ファイルやフォルダの名前を一つずつ変更します"},
        {"SettingsFileHead", msg::SettingsFileHead, "設定ファイル: "},
        {"TakenTimeNotFound", msg::TakenTimeNotFound, "撮影日時が見つかりません"},
        {"TakenTimeUnreadable", msg::TakenTimeUnreadable,
         "ファイルを開けないので撮影日時を読めません"},
        {"TimeFormatBlankAtEnd", msg::TimeFormatBlankAtEnd, "書式の先頭や末尾に空白は使えません"},
        {"TimeFormatLineBreak", msg::TimeFormatLineBreak, "書式に改行は使えません"},
        {"TimeFormatTooLongHead", msg::TimeFormatTooLongHead, "書式が長すぎます。保存できるのは "},
        {"TimeFormatTooLongTail", msg::TimeFormatTooLongTail, " バイトまでです"},
        {"TimeFormatUnreadable", msg::TimeFormatUnreadable,
         "書式にこのシステムで扱えない文字が含まれています"},
        {"HelpNotFound", msg::HelpNotFound, "ヘルプファイルが見つかりません"},
        {"CannotWriteSuffix", msg::CannotWriteSuffix, " に書き込めません"},
        {"CannotInsertLine", msg::CannotInsertLine, "行を挿入できません"},
        {"RootTarget", msg::RootTarget, "ドライブやサーバーのルートは対象にできません"},
        {"ProgramFolderUnreadable", msg::ProgramFolderUnreadable,
         "プログラムのフォルダ名がこのシステムで扱えないため設定を保存できません"},
        {"NameForbiddenCharacter", msg::NameForbiddenCharacter,
         "ファイル名に使えない文字が含まれています"},
        {"ChainLeftHead", msg::ChainLeftHead, "Tovimar - 残り"},
        {"ChainLeftTail", msg::ChainLeftTail, "件"},
        {"NameIsDevice", msg::NameIsDevice, "デバイス名はファイル名に使えません"},
        {"NameEndsInDotOrBlank", msg::NameEndsInDotOrBlank,
         "ファイル名の末尾にピリオドや空白は使えません"},
        {"TargetPathTooLong", msg::TargetPathTooLong, "パスが長すぎるため処理できません"},
        {"NewPathTooLong", msg::NewPathTooLong, "変更後のパスが長すぎます"},
        {"CannotOpenWithApplication", msg::CannotOpenWithApplication, "ファイルを開けません"},
        {"NameTooLongForDrive", msg::NameTooLongForDrive, "この名前はこのドライブでは長すぎます"},
        {"NameStranded", msg::NameStranded, "元の名前に戻せませんでした。今の名前: "},
        {"SendToCannotChange", msg::SendToCannotChange, "「送る」メニューを変更できません"},
        {"SendToPathNotKept", msg::SendToPathNotKept,
         "ショートカットにこのプログラムのパスを保存できません"},
        {"SendToOtherProgram", msg::SendToOtherProgram,
         "「送る」メニューの Tovimar.lnk は別のプログラムを開きます。"},
        {"SendToReplace", msg::SendToReplace,
         "このプログラムを開くショートカットに置き換えますか？"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(std::string(row.Bytes), ToCp932(row.Utf8).value_or("(conversion failed)"))
            << row.Name;
}

} // namespace
} // namespace tovimar
