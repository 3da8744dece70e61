#include "core/application_macros.h"

namespace poremi {

QStringList applicationMacroTable() {
    return {
        QStringLiteral("AppName=ぽれみ"),
        QStringLiteral("SysHelpFile=$(ExeNameNoExt).hlp"),
        QStringLiteral("SysMsgUnexpected=予期しないエラーが発生しました$(CRLF)%s"),
        QStringLiteral("SysMsgTwainErr=TWAINでエラーが発生しました。$(CRLF)TWAINドライバあるいはTWAIN機器に問題があると$(CRLF)思われます$(CRLF)「%s」"),
        QStringLiteral("SysMsgNotDefaultPrinter=通常使うプリンタがセットされていません$(CRLF)コントロールパネルのプリンタを開いて設定してください"),
        QStringLiteral("SysMsgNotEnoughColor=「$(AppName)」は、32,000色以上の$(CRLF)表示環境でご使用ください。$(CRLF)正しく表示できないことがありますが起動しますか？"),
        QStringLiteral("SysMsgAlreadyRun=$(AppName)は、すでに実行中です"),
        QStringLiteral("SysMutexID=$(AppName).$(ShortVer).Brevok.Japan"),
        QStringLiteral("SysMsgCDNotFound=%sが見つかりません$(CRLF)$(AppName)のＣＤを正しくセットしてください。"),
        QStringLiteral("SysRegistryKey=Software\\Halvik\\Poremi\\$(ShortVer)\\Settings"),
        QStringLiteral("SysKeyFile="),
        QStringLiteral("SysApplicationFolder="),
        QStringLiteral("SysInstallKey=Poremi.Application"),
        QStringLiteral("ProductDB=$(ExeNameNoExt).cdb"),
        QStringLiteral("PaperInfo=$(UserPreferenceFolder)Papers.ppr"),
        QStringLiteral("CoonsDistortionData=$(ExeNameNoExt).cdd"),
        QStringLiteral("UserImageHistory=$(SysRegistryKey)\\UserImageHistory"),
        QStringLiteral("OpenFileHistory=$(SysRegistryKey)\\OpenFileHistory"),
        QStringLiteral("CDPathHistory=$(SysRegistryKey)\\CDPathHistory"),
        QStringLiteral("WindowColors=$(SysRegistryKey)\\WindowColors"),
        QStringLiteral("LabelDataHistory=$(SysRegistryKey)\\LabelDataHistory"),
        QStringLiteral("TitleBarFormat=$(AppName) - %s"),
        QStringLiteral("PrintTitleFormat=%s - $(AppName)"),
        QStringLiteral("FindPaperHistory=$(SysRegistryKey)\\FindPaperHistory"),
        QStringLiteral("UsedPaperHistory=$(SysRegistryKey)\\UsedPaperHistory"),
        QStringLiteral("OpenDataFilter=%sデータ(*.%s)|*.%s|すべてのファイル(*.*)|*.*"),
        QStringLiteral("UserPreferenceFolder=$(AppDataDir)$(AppName)\\$(ShortVer)\\"),
        QStringLiteral("UpdatePaperInfo=$(UserPreferenceFolder)Update.ppr"),
        QStringLiteral("ColorSpecHistory=$(UserPreferenceFolder)ColorSpec.hst"),
        QStringLiteral("FindAlbumHistory=$(SysRegistryKey)\\FindAlbumHistory"),
        QStringLiteral("ImageCacheFile=$(SystemPreferenceFolder)ImageCache.ic"),
        QStringLiteral("SystemPreferenceFolder=$(ExeDir)"),
        QStringLiteral("ImageFileExtentions=.bmp;.jpg;.jpeg;.pcd;.cbm;.gif;.png;.wmf;.emf"),
        QStringLiteral("SysMsgNotPowerUsers=「$(AppName)」の実行には$(CRLF)標準ユーザー（PowerUsers）以上の権限が必要です"),
        QStringLiteral("SystemPaperInfo=$(ExeNameNoExt).ppr"),
    };
}

}  // namespace poremi
