#pragma once

// Qt's own texts in Chinese: the standard buttons of message boxes and dialogs (是, 否, 取消,
// 确定), the file dialogs, the print dialogs. Debian ships them in qt6-translations-l10n.
class CQtTranslations {
public:
    // Loads qtbase_zh_CN from Qt's translation folder into the running application, once.
    // False when the file is missing: Qt's texts then stay in English.
    static bool Install();
};
