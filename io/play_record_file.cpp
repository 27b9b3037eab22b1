#include "io/play_record_file.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <charconv>
#include <optional>

#include "engine/number.h"
#include "io/file_lock.h"
#include "io/kept_file.h"
#include "io/text_file.h"
#include "results/shop_file.h"

namespace numsift {

namespace {

constexpr std::string_view kSignature = "# Numsift play record, format ";
constexpr int kFormatVersion = 1;
constexpr std::size_t kListedNumbers = 2500;  // above: the set as 100,000 bits
constexpr std::string_view kBitsPrefix = "bits ";
constexpr std::size_t kBitBytes = kNumberSpace / 8;
const std::string kNoRecord(64, '0');  // the previous-sha256 of the first record
constexpr int kLockWaitMs = 10000;

std::string sha256(std::string_view bytes) {
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                    QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

// The set section's body: the list while it is short, the bits beyond.
std::string setBody(const NumberSet& set) {
    if (set.size() <= kListedNumbers) return formatNumbers(set.values, 0);
    QByteArray bits(static_cast<qsizetype>(kBitBytes), '\0');
    for (const std::uint32_t v : set.values)
        if (v < kNumberSpace) bits[v / 8] = static_cast<char>(bits[v / 8] | (1 << (v % 8)));
    return std::string(kBitsPrefix) + bits.toBase64().toStdString();
}

// The set a body holds; nothing unless the body is exactly what setBody writes.
std::optional<NumberSet> readSetBody(std::string_view body) {
    NumberSet set;
    if (body.starts_with(kBitsPrefix)) {
        const std::string_view base64 = body.substr(kBitsPrefix.size());
        const auto decoded =
            QByteArray::fromBase64Encoding(QByteArray(base64.data(), static_cast<qsizetype>(base64.size())),
                                           QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded || decoded.decoded.size() != static_cast<qsizetype>(kBitBytes)) return std::nullopt;
        for (std::uint32_t v = 0; v < kNumberSpace; ++v)
            if (static_cast<unsigned char>(decoded.decoded[v / 8]) & (1u << (v % 8))) set.values.push_back(v);
    } else {
        set = parseNumbers(body);
    }
    if (set.empty() || setBody(set) != body) return std::nullopt;
    return set;
}

void appendLine(std::string& text, std::string_view name, std::string_view value) {
    text += name;
    text += ' ';
    text += value;
    text += '\n';
}

void appendSection(std::string& text, std::string_view name, std::string_view body) {
    appendLine(text, name, std::to_string(body.size()));
    text += body;
    text += '\n';
}

std::string recordBlock(const PlayRecord& r, std::size_t number, const std::string& previous) {
    std::string block;
    appendLine(block, "record", std::to_string(number));
    appendLine(block, "issue", r.issue);
    appendLine(block, "time", r.time);
    appendLine(block, "multiple", std::to_string(r.multiple));
    appendLine(block, "set-sha256", setSha256(r.set));
    appendLine(block, "previous-sha256", previous);
    appendSection(block, "set", setBody(r.set));
    appendSection(block, "scheme", r.scheme);
    return block;
}

bool allDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isSha256(std::string_view s) {
    return s.size() == 64 && std::all_of(s.begin(), s.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

std::optional<std::size_t> wholeNumber(std::string_view digits) {
    std::size_t n = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (!allDigits(digits) || error != std::errc() || end != digits.data() + digits.size() ||
        (digits.size() > 1 && digits[0] == '0'))
        return std::nullopt;
    return n;
}

// Walks the text a line or a section at a time; a step that does not find
// what the format puts there answers nothing.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}

    std::size_t at() const { return at_; }
    bool atEnd() const { return at_ == text_.size(); }
    std::string_view since(std::size_t from) const { return text_.substr(from, at_ - from); }

    std::optional<std::string_view> line() {
        const std::size_t end = text_.find('\n', at_);
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view out = text_.substr(at_, end - at_);
        at_ = end + 1;
        return out;
    }

    // "name value": the value.
    std::optional<std::string_view> field(std::string_view name) {
        const std::optional<std::string_view> l = line();
        if (!l || l->size() <= name.size() || !l->starts_with(name) || (*l)[name.size()] != ' ')
            return std::nullopt;
        return l->substr(name.size() + 1);
    }

    // "name N", N bytes and a line break: the N bytes.
    std::optional<std::string_view> section(std::string_view name) {
        const std::optional<std::string_view> digits = field(name);
        const std::optional<std::size_t> size = digits ? wholeNumber(*digits) : std::nullopt;
        if (!size || *size >= text_.size() - at_ || text_[at_ + *size] != '\n') return std::nullopt;
        const std::string_view body = text_.substr(at_, *size);
        at_ += *size + 1;
        return body;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// One record's block after its "record N" line; nothing when a line or
// section is not in the written form.
std::optional<PlayRecord> readBlock(Cursor& in, std::string& setHash, std::string& previous) {
    PlayRecord r;
    const auto issue = in.field("issue");
    if (!issue || !allDigits(*issue)) return std::nullopt;
    r.issue = *issue;
    const auto time = in.field("time");
    if (!time) return std::nullopt;
    r.time = *time;
    const auto multiple = in.field("multiple");
    const auto m = multiple ? wholeNumber(*multiple) : std::nullopt;
    if (!m || *m < kMinMultiple || *m > kMaxMultiple) return std::nullopt;
    r.multiple = static_cast<int>(*m);
    const auto setField = in.field("set-sha256");
    const auto previousField = in.field("previous-sha256");
    if (!setField || !isSha256(*setField) || !previousField || !isSha256(*previousField)) return std::nullopt;
    setHash = *setField;
    previous = *previousField;
    const auto setText = in.section("set");
    std::optional<NumberSet> set = setText ? readSetBody(*setText) : std::nullopt;
    if (!set) return std::nullopt;
    r.set = std::move(*set);
    const auto scheme = in.section("scheme");
    if (!scheme) return std::nullopt;
    r.scheme = *scheme;
    return r;
}

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

// The file's text as it is read for load and add: nothing when there is no
// file; error set when it cannot be read.
struct FileText {
    bool exists = false;
    bool regular = true;
    std::string text;
    QString error;
};

FileText readFileText(const QString& path) {
    FileText file;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return file;
    file.exists = true;
    if (!info.isFile() || info.isSymLink()) {
        file.regular = false;
        return file;
    }
    const TextFileResult read = readTextFile(path);
    if (!read.ok)
        file.error = read.error;
    else
        file.text = read.text.toStdString();
    return file;
}

QString notOursProblem() { return QStringLiteral("不是 Numsift 的投注记录"); }

}  // namespace

QString playRecordPath(const DataFolder& folder) {
    if (!folder.ok) return {};
    return QDir(folder.path).filePath(QLatin1String(kPlayRecordFileName));
}

std::string setSha256(const NumberSet& set) { return sha256(formatNumbers(set.values, 0)); }

std::string playRecordText(std::span<const PlayRecord> records) {
    std::string text(kSignature);
    text += std::to_string(kFormatVersion);
    text += '\n';
    std::string previous = kNoRecord;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string block = recordBlock(records[i], i + 1, previous);
        text += block;
        previous = sha256(block);
    }
    appendLine(text, "end", std::to_string(records.size()) + " " + previous);
    return text;
}

PlayRecordRead readPlayRecord(std::string_view original) {
    PlayRecordRead read;
    // An editor that only changed the line breaks changed no record.
    std::string lf;
    if (original.find('\r') != std::string_view::npos) {
        lf.reserve(original.size());
        for (std::size_t i = 0; i < original.size(); ++i)
            if (!(original[i] == '\r' && i + 1 < original.size() && original[i + 1] == '\n'))
                lf += original[i];
        original = lf;
    }
    Cursor in(original);
    const auto signature = in.line();
    if (!signature || !signature->starts_with(kSignature)) {
        read.problem = PlayRecordRead::Problem::Foreign;
        return read;
    }
    auto altered = [&read](std::size_t record) {
        read.problem = PlayRecordRead::Problem::Altered;
        read.altered = record;
        read.records.resize(std::min(read.records.size(), record - 1));
        return read;
    };
    const std::optional<std::size_t> version = wholeNumber(signature->substr(kSignature.size()));
    if (!version || *version < 1 || *version > 999999) return altered(1);
    read.version = static_cast<int>(*version);
    if (read.version > kFormatVersion) {
        read.problem = PlayRecordRead::Problem::Newer;
        return read;
    }

    std::string previous = kNoRecord;  // the SHA-256 of the last record read
    for (;;) {
        const std::size_t number = read.records.size() + 1;
        const std::size_t start = in.at();
        const auto head = in.line();
        if (!head) return altered(number);  // cut short: no end line
        if (head->starts_with("end ")) {
            const std::string_view rest = head->substr(4);
            const std::size_t blank = rest.find(' ');
            const std::optional<std::size_t> count =
                blank == std::string_view::npos ? std::nullopt : wholeNumber(rest.substr(0, blank));
            if (!count) return altered(number);
            if (*count != read.records.size()) return altered(std::min(*count, read.records.size()) + 1);
            if (rest.substr(blank + 1) != previous) return altered(std::max<std::size_t>(number - 1, 1));
            if (!in.atEnd()) return altered(number);
            return read;
        }
        if (*head != "record " + std::to_string(number)) return altered(number);
        std::string setHash, chained;
        std::optional<PlayRecord> record = readBlock(in, setHash, chained);
        if (!record || setSha256(record->set) != setHash) return altered(number);
        // A record the next one does not chain to was changed after the next was written.
        if (chained != previous) return altered(std::max<std::size_t>(number - 1, 1));
        previous = sha256(in.since(start));
        read.records.push_back(std::move(*record));
    }
}

std::string alteredRecordMessage(std::size_t record) {
    return "投注记录第 " + std::to_string(record) + " 条被改动";
}

std::string recordTimeNow() {
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
}

LoadedPlayRecord PlayRecordFile::load() {
    LoadedPlayRecord loaded;
    const FileText file = readFileText(path_);
    if (!file.exists) return loaded;
    const QString where = native(path_);
    if (!file.error.isEmpty()) {
        loaded.message = QStringLiteral("无法读取投注记录 ") + where + QStringLiteral("：") + file.error +
                         QStringLiteral("。本次不会改写它，也不能记录。");
        return loaded;
    }
    PlayRecordRead read;
    if (file.regular) read = readPlayRecord(file.text);
    if (!file.regular || read.problem == PlayRecordRead::Problem::Foreign) {
        const SetAside aside = setAside(path_, "foreign", QStringLiteral("投注记录文件"), notOursProblem(),
                                        QStringLiteral("；投注记录从空开始。"));
        loaded.setAsidePath = aside.path;
        loaded.message = aside.message;
        return loaded;
    }
    switch (read.problem) {
        case PlayRecordRead::Problem::Newer:
            loaded.message = QStringLiteral("投注记录 ") + where +
                             QStringLiteral(" 由更新版本的 Numsift 写成（格式 ") +
                             QString::number(read.version) + QStringLiteral("），本版本不读取也不改写它。");
            break;
        case PlayRecordRead::Problem::Altered:
            loaded.altered = read.altered;
            loaded.message = QString::fromStdString(alteredRecordMessage(read.altered)) +
                             QStringLiteral("（") + where +
                             QStringLiteral("）：只显示它之前的记录；文件保持原样，不再追加记录。");
            break;
        case PlayRecordRead::Problem::None:
        case PlayRecordRead::Problem::Foreign: break;
    }
    loaded.records = std::move(read.records);
    return loaded;
}

AddedRecord PlayRecordFile::add(const PlayRecord& record, const DrawStore& history,
                                const SaveStepCheck& allow) const {
    AddedRecord added;
    if (const std::string refusal = recordRefusal(record, history); !refusal.empty()) {
        added.error = QString::fromStdString(refusal);
        return added;
    }
    const QString where = native(path_);
    QLockFile lock(path_ + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);  // only a dead owner frees it
    if (!takeLock(lock, kLockWaitMs)) {
        added.error =
            QStringLiteral("投注记录 ") + where + QStringLiteral(" 正被另一个窗口或程序写入，请稍后再试");
        return added;
    }
    // Read again under the lock: another window may have added a record since.
    const FileText file = readFileText(path_);
    std::vector<PlayRecord> records;
    if (file.exists) {
        if (!file.error.isEmpty()) {
            added.error = QStringLiteral("无法读取投注记录 ") + where + QStringLiteral("：") + file.error;
            return added;
        }
        PlayRecordRead read;
        read.problem = PlayRecordRead::Problem::Foreign;
        if (file.regular) read = readPlayRecord(file.text);
        switch (read.problem) {
            case PlayRecordRead::Problem::None: records = read.records; break;
            case PlayRecordRead::Problem::Foreign:
                added.error =
                    QStringLiteral("投注记录 ") + where + notOursProblem() + QStringLiteral("，不会改写它");
                return added;
            case PlayRecordRead::Problem::Newer:
                added.error = QStringLiteral("投注记录 ") + where +
                              QStringLiteral(" 由更新版本的 Numsift 写成，本版本不改写它");
                return added;
            case PlayRecordRead::Problem::Altered:
                added.error = QString::fromStdString(alteredRecordMessage(read.altered)) +
                              QStringLiteral("，不再追加记录（") + where + QStringLiteral("）");
                return added;
        }
    }
    records.push_back(record);
    static constexpr KeptFileWords kWords{"投注记录", "", "", "", "", true};
    const SaveResult saved = saveKeptFile(path_, playRecordText(records), kWords, {}, allow);
    if (!saved.ok) {
        added.error = saved.error + QStringLiteral("本期未记录。");
        return added;
    }
    added.ok = true;
    added.records = std::move(records);
    return added;
}

}  // namespace numsift
