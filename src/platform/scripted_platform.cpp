#include "platform/scripted_platform.h"

namespace vm {

std::vector<ScriptedPlatform::Call> ScriptedPlatform::callsOf(const QString& kind) const {
    std::vector<Call> out;
    for (const Call& call : m_calls)
        if (call.kind == kind) out.push_back(call);
    return out;
}

std::optional<QString> ScriptedPlatform::openFileName(const FileDialogRequest& request) {
    record("openFileName", {request.title, request.filter, request.defaultSuffix, request.initialName});
    return take(m_openAnswers, std::optional<QString>{});
}

std::optional<QString> ScriptedPlatform::saveFileName(const FileDialogRequest& request) {
    record("saveFileName", {request.title, request.filter, request.defaultSuffix, request.initialName});
    return take(m_saveAnswers, std::optional<QString>{});
}

std::optional<QRgb> ScriptedPlatform::chooseColour(QRgb initial) {
    record("chooseColour", {QString::number(initial, 16)});
    return take(m_colourAnswers, std::optional<QRgb>{});
}

std::optional<FontChoice> ScriptedPlatform::chooseFont(const FontChoice& initial) {
    record("chooseFont", {initial.face, QString::number(initial.weight), QString::number(initial.italic)});
    return take(m_fontAnswers, std::optional<FontChoice>{});
}

MessageResult ScriptedPlatform::messageBox(const QString& text, const QString& caption, MessageButtons buttons,
                                           MessageIcon icon) {
    record("messageBox", {text, caption, QString::number(int(buttons)), QString::number(int(icon))});
    const MessageResult fallback = buttons == MessageButtons::Ok ? MessageResult::Ok
                                   : buttons == MessageButtons::OkCancel ? MessageResult::Cancel
                                                                          : MessageResult::No;
    return take(m_messageAnswers, fallback);
}

QuestionAnswer ScriptedPlatform::askWithDontAskAgain(const QString& text, const QString& caption,
                                                     const QString& checkText) {
    record("askWithDontAskAgain", {text, caption, checkText});
    return take(m_questionAnswers, QuestionAnswer{});
}

std::optional<int> ScriptedPlatform::chooseCompressor(const QStringList& encoders, int current) {
    record("chooseCompressor", {encoders.join(u'|'), QString::number(current)});
    return take(m_compressorAnswers, std::optional<int>{});
}

void ScriptedPlatform::setClipboardImage(const QImage& image) {
    record("setClipboardImage", {QString("%1x%2").arg(image.width()).arg(image.height())});
    m_clipboard = image;
}

void ScriptedPlatform::openUrl(const QString& url) { record("openUrl", {url}); }

int ScriptedPlatform::readProfileInt(const QString& section, const QString& entry, int defaultValue) {
    record("readProfileInt", {section, entry});
    return m_settings.value(section + u'/' + entry, defaultValue);
}

void ScriptedPlatform::writeProfileInt(const QString& section, const QString& entry, int value) {
    record("writeProfileInt", {section, entry, QString::number(value)});
    m_settings[section + u'/' + entry] = value;
}

void ScriptedPlatform::setWaitCursor(bool on) { record("setWaitCursor", {on ? "on" : "off"}); }

void ScriptedPlatform::resizeViewTo(int width, int height) {
    record("resizeViewTo", {QString::number(width), QString::number(height)});
}

}  // namespace vm
