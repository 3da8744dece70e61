#include "document/stream/name_tables.h"

namespace poremi {

std::optional<QString> IntegerNames::nameOf(qint64 value) const {
    for (const Entry& e : entries_)
        if (e.written && e.value == value) return e.name;
    return std::nullopt;
}

std::optional<qint64> IntegerNames::valueOf(const QString& name) const {
    for (const Entry& e : entries_)
        if (e.name.compare(name, Qt::CaseInsensitive) == 0) return e.value;
    return std::nullopt;
}

const IntegerNames& colorNames() {
    using color::systemColor;
    static const IntegerNames table({
        {0x000000, "clBlack"},
        {0x000080, "clMaroon"},
        {0x008000, "clGreen"},
        {0x008080, "clOlive"},
        {0x800000, "clNavy"},
        {0x800080, "clPurple"},
        {0x808000, "clTeal"},
        {0x808080, "clGray"},
        {0xC0C0C0, "clSilver"},
        {0x0000FF, "clRed"},
        {0x00FF00, "clLime"},
        {0x00FFFF, "clYellow"},
        {0xFF0000, "clBlue"},
        {0xFF00FF, "clFuchsia"},
        {0xFFFF00, "clAqua"},
        {0xFFFFFF, "clWhite"},
        {systemColor(0), "clScrollBar"},
        {systemColor(1), "clBackground"},
        {systemColor(2), "clActiveCaption"},
        {systemColor(3), "clInactiveCaption"},
        {systemColor(4), "clMenu"},
        {systemColor(5), "clWindow"},
        {systemColor(6), "clWindowFrame"},
        {systemColor(7), "clMenuText"},
        {systemColor(8), "clWindowText"},
        {systemColor(9), "clCaptionText"},
        {systemColor(10), "clActiveBorder"},
        {systemColor(11), "clInactiveBorder"},
        {systemColor(12), "clAppWorkSpace"},
        {systemColor(13), "clHighlight"},
        {systemColor(14), "clHighlightText"},
        {systemColor(15), "clBtnFace"},
        {systemColor(16), "clBtnShadow"},
        {systemColor(17), "clGrayText"},
        {systemColor(18), "clBtnText"},
        {systemColor(19), "clInactiveCaptionText"},
        {systemColor(20), "clBtnHighlight"},
        {systemColor(21), "cl3DDkShadow"},
        {systemColor(22), "cl3DLight"},
        {systemColor(23), "clInfoText"},
        {systemColor(24), "clInfoBk"},
        {color::clNone, "clNone"},
        {color::clDefault, "clDefault"},
        // Spellings of later program versions: understood, not written.
        {0x808080, "clDkGray", false},
        {0xC0C0C0, "clLtGray", false},
        {0xC0DCC0, "clMoneyGreen", false},
        {0xF0CAA6, "clSkyBlue", false},
        {0xF0FBFF, "clCream", false},
        {0xA4A0A0, "clMedGray", false},
        {systemColor(26), "clHotLight", false},
        {systemColor(27), "clGradientActiveCaption", false},
        {systemColor(28), "clGradientInactiveCaption", false},
        {systemColor(29), "clMenuHighlight", false},
        {systemColor(30), "clMenuBar", false},
    });
    return table;
}

const IntegerNames& cursorNames() {
    static const IntegerNames table({
        {0, "crDefault"},
        {-1, "crNone"},
        {-2, "crArrow"},
        {-3, "crCross"},
        {-4, "crIBeam"},
        {-6, "crSizeNESW"},
        {-7, "crSizeNS"},
        {-8, "crSizeNWSE"},
        {-9, "crSizeWE"},
        {-10, "crUpArrow"},
        {-11, "crHourGlass"},
        {-12, "crDrag"},
        {-13, "crNoDrop"},
        {-14, "crHSplit"},
        {-15, "crVSplit"},
        {-16, "crMultiDrag"},
        {-17, "crSQLWait"},
        {-18, "crNo"},
        {-19, "crAppStart"},
        {-20, "crHelp"},
        {-21, "crHandPoint"},
        {-22, "crSizeAll"},
        {-5, "crSize", false},
    });
    return table;
}

const IntegerNames& charsetNames() {
    static const IntegerNames table({
        {0, "ANSI_CHARSET"},
        {1, "DEFAULT_CHARSET"},
        {2, "SYMBOL_CHARSET"},
        {77, "MAC_CHARSET"},
        {128, "SHIFTJIS_CHARSET"},
        {129, "HANGEUL_CHARSET"},
        {130, "JOHAB_CHARSET"},
        {134, "GB2312_CHARSET"},
        {136, "CHINESEBIG5_CHARSET"},
        {161, "GREEK_CHARSET"},
        {162, "TURKISH_CHARSET"},
        {163, "VIETNAMESE_CHARSET"},
        {177, "HEBREW_CHARSET"},
        {178, "ARABIC_CHARSET"},
        {186, "BALTIC_CHARSET"},
        {204, "RUSSIAN_CHARSET"},
        {222, "THAI_CHARSET"},
        {238, "EASTEUROPE_CHARSET"},
        {255, "OEM_CHARSET"},
        {129, "HANGUL_CHARSET", false},
    });
    return table;
}

}  // namespace poremi
