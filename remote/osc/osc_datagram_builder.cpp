#include "osc/osc_datagram_builder.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vemo::osc {

namespace {

void AppendBigEndian32(QByteArray& out, std::uint32_t value)
{
    const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    out.append(bytes, 4);
}

void AppendPaddedString(QByteArray& out, const QByteArray& text)
{
    out.append(text);
    out.append(4 - text.size() % 4, '\0');
}

// Collects the type tags and the argument bytes while the argument text is read.
class ArgumentWriter {
public:
    explicit ArgumentWriter(qsizetype textSize)
    {
        tags_.reserve(16);
        tags_.append(',');
        // Room for the usual case: no argument is longer in bytes than four times its text.
        bytes_.reserve(4 * textSize + 8);
    }

    void AddString(const QString& token)
    {
        AddTag('s');
        AppendPaddedString(bytes_, token.toUtf8());
    }

    void AddTyped(const QString& token)
    {
        qint32 intValue = 0;
        float floatValue = 0.0F;
        switch (ClassifyOscToken(token, intValue, floatValue)) {
        case 'i':
            AddTag('i');
            AppendBigEndian32(bytes_, static_cast<std::uint32_t>(intValue));
            break;
        case 'f':
            AddTag('f');
            AppendBigEndian32(bytes_, std::bit_cast<std::uint32_t>(floatValue));
            break;
        default:
            AddString(token);
            break;
        }
    }

    void AppendTo(QByteArray& datagram) const
    {
        if (tags_.size() > 1) {
            AppendPaddedString(datagram, tags_);
            datagram.append(bytes_);
        }
    }

private:
    void AddTag(char tag) { tags_.append(tag); }

    QByteArray tags_;
    QByteArray bytes_;
};

void WriteArguments(QStringView text, ArgumentWriter& writer)
{
    QString token;
    token.reserve(text.size());
    bool betweenTokens = true;
    bool inQuotes = false;
    for (const QChar c : text) {
        if (inQuotes) {
            if (c == u'"') {
                writer.AddString(token);
                token.resize(0);
                inQuotes = false;
                betweenTokens = true;
            } else {
                token.append(c);
            }
        } else if (c == u'"') {
            inQuotes = true;
            betweenTokens = false;
        } else if (c == u' ') {
            if (!betweenTokens) {
                writer.AddTyped(token);
                token.resize(0);
                betweenTokens = true;
            }
        } else {
            token.append(c);
            betweenTokens = false;
        }
    }
    if (!token.isEmpty()) {
        if (inQuotes) {
            writer.AddString(token);
        } else {
            writer.AddTyped(token);
        }
    }
}

// A sign and at most 9 ASCII digits: such a token is a whole number that QString::toInt accepts
// and that cannot overflow int32.
std::optional<qint32> ShortDecimal(QStringView token)
{
    qsizetype first = 0;
    if (!token.isEmpty() && (token.front() == u'+' || token.front() == u'-')) {
        first = 1;
    }
    const qsizetype digits = token.size() - first;
    if (digits < 1 || digits > 9) {
        return std::nullopt;
    }
    qint32 value = 0;
    for (qsizetype i = first; i < token.size(); ++i) {
        const char16_t c = token[i].unicode();
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - u'0');
    }
    return token.front() == u'-' ? -value : value;
}

// A sign, 1 to 9 ASCII digits, a point and 1 to 9 ASCII digits: QString::toFloat reads such a token as
// the float nearest to its correctly rounded double, and so does this.
std::optional<float> ShortFixedDecimal(QStringView token)
{
    const bool negative = !token.isEmpty() && token.front() == u'-';
    const bool hasSign = negative || (!token.isEmpty() && token.front() == u'+');
    const QStringView number = token.mid(hasSign ? 1 : 0);
    const qsizetype point = number.indexOf(u'.');
    if (point < 1 || point > 9 || number.size() - point - 1 < 1 || number.size() - point - 1 > 9) {
        return std::nullopt;
    }
    char text[20];
    for (qsizetype i = 0; i < number.size(); ++i) {
        const char16_t c = number[i].unicode();
        if ((c < u'0' || c > u'9') && i != point) {
            return std::nullopt;
        }
        text[i] = static_cast<char>(c);
    }
    double value = 0.0;
    std::from_chars(text, text + number.size(), value, std::chars_format::fixed);
    return static_cast<float>(negative ? -value : value);
}

// Whether each character of the token is white space or one of `allowed`. Qt's number conversions
// refuse a token with any other character, so the conversion need not be tried.
bool OnlyWhiteSpaceOr(QStringView token, std::u16string_view allowed)
{
    return std::all_of(token.begin(), token.end(),
        [allowed](QChar c) { return c.isSpace() || allowed.find(c.unicode()) != std::u16string_view::npos; });
}

} // namespace

char ClassifyOscToken(const QString& token, qint32& intValue, float& floatValue)
{
    if (const auto value = ShortDecimal(token)) {
        intValue = *value;
        return 'i';
    }
    if (const auto value = ShortFixedDecimal(token)) {
        floatValue = *value;
        return 'f';
    }
    bool ok = false;
    if (OnlyWhiteSpaceOr(token, u"0123456789+-")) {
        intValue = token.toInt(&ok, 10);
        if (ok) {
            return 'i';
        }
    }
    // QString::toFloat also takes U+2212 MINUS SIGN for a minus.
    if (OnlyWhiteSpaceOr(token, u"0123456789+-\u2212.eEnNaAiIfF")) {
        floatValue = token.toFloat(&ok);
        if (ok) {
            return 'f';
        }
    }
    return 's';
}

QByteArray BuildOscDatagram(const QString& text)
{
    QByteArray datagram;
    if (text.isEmpty()) {
        return datagram;
    }
    const qsizetype blank = text.indexOf(u' ');
    if (blank < 0) {
        AppendPaddedString(datagram, text.toUtf8());
        return datagram;
    }
    datagram.reserve(8 * text.size() + 16);
    AppendPaddedString(datagram, QStringView(text).left(blank).toUtf8());
    ArgumentWriter writer(text.size() - blank);
    WriteArguments(QStringView(text).mid(blank + 1), writer);
    writer.AppendTo(datagram);
    return datagram;
}

} // namespace vemo::osc
