#include "io/kept_panel_file.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <charconv>

#include "io/file_lock.h"

namespace numsift {

namespace {

constexpr std::string_view kSignature = "# Numsift kept panel, format ";
constexpr int kFormatVersion = 1;
constexpr std::string_view kEnd = "end";

// The number lists in the file: all on one line.
std::string listText(const NumberSet& set) { return formatNumbers(set.values, 0); }

void appendSection(std::string& text, std::string_view name, std::string_view body) {
    text += name;
    text += ' ';
    text += std::to_string(body.size());
    text += '\n';
    text += body;
    text += '\n';
}

// Walks the text line by line and section by section; any step that does
// not find what the format puts there answers false and leaves line() at
// the line where it looked.
class SectionReader {
public:
    explicit SectionReader(std::string_view text) : text_(text) {}

    int line() const { return line_; }
    bool atEnd() const { return at_ == text_.size(); }

    // The next line without its line break; false when none is complete.
    bool nextLine(std::string_view& out) {
        const std::size_t end = text_.find('\n', at_);
        if (end == std::string_view::npos) return false;
        out = text_.substr(at_, end - at_);
        at_ = end + 1;
        ++line_;
        return true;
    }

    // "name N", N bytes and a line break.
    bool section(std::string_view name, std::string_view& body) {
        const int headerLine = line_ + 1;
        std::string_view header;
        if (!nextLine(header) || header.size() <= name.size() + 1 || !header.starts_with(name) ||
            header[name.size()] != ' ')
            return failAt(headerLine);
        const std::string_view digits = header.substr(name.size() + 1);
        std::size_t size = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), size);
        if (error != std::errc() || end != digits.data() + digits.size() ||
            (digits.size() > 1 && digits[0] == '0'))
            return failAt(headerLine);
        if (size >= text_.size() - at_ || text_[at_ + size] != '\n') return failAt(headerLine);
        body = text_.substr(at_, size);
        at_ += size + 1;
        line_ += static_cast<int>(std::count(body.begin(), body.end(), '\n')) + 1;
        return true;
    }

private:
    bool failAt(int line) {
        line_ = line;
        return false;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    int line_ = 0;  // lines read so far
};

// The set a list section holds; nullopt unless the body is exactly what
// listText writes.
std::optional<NumberSet> readList(std::string_view body) {
    NumberSet set = parseNumbers(body);
    if (listText(set) != body) return std::nullopt;
    return set;
}

constexpr KeptFileWords kWords = {
    .noun = "上次的条件文件",
    .foreign = "不是 Numsift 的条件文件",
    .notAFile = "不是 Numsift 的条件文件",
    .tooLarge = "大得不像 Numsift 的条件文件",
    .afterAside = "。",
    .newerStays = false,
};

}  // namespace

bool KeptPanel::empty() const {
    return base.empty() && setA.empty() && setB.empty() && saveScheme(scheme) == saveScheme(emptyScheme());
}

std::string keptPanelText(const KeptPanel& panel) { return keptPanelText(panel, saveScheme(panel.scheme)); }

std::string keptPanelText(const KeptPanel& panel, std::string_view schemeText) {
    std::string text(kSignature);
    text += std::to_string(kFormatVersion);
    text += '\n';
    appendSection(text, "scheme", schemeText);
    appendSection(text, "base", listText(panel.base));
    appendSection(text, "set-a", listText(panel.setA));
    appendSection(text, "set-b", listText(panel.setB));
    text += kEnd;
    text += '\n';
    return text;
}

KeptPanelRead readKeptPanel(std::string_view text) {
    KeptPanelRead read;
    SectionReader reader(text);
    std::string_view signature;
    if (!reader.nextLine(signature) || !signature.starts_with(kSignature)) {
        read.problem = KeptPanelRead::Problem::Foreign;
        return read;
    }
    const std::string_view digits = signature.substr(kSignature.size());
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), read.version);
    auto damagedAt = [&read](int line) {
        read.problem = KeptPanelRead::Problem::Damaged;
        read.line = line;
        read.panel = KeptPanel{};
        return read;
    };
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || read.version < 1)
        return damagedAt(1);
    if (read.version > kFormatVersion) {
        read.problem = KeptPanelRead::Problem::Newer;
        return read;
    }

    std::string_view body;
    const int schemeLine = reader.line() + 2;  // below its header
    if (!reader.section("scheme", body)) return damagedAt(reader.line());
    SchemeLoad scheme = loadScheme(body);
    if (!scheme.ok) return damagedAt(schemeLine);
    read.panel.scheme = std::move(scheme.scheme);
    struct ListSection {
        std::string_view name;
        NumberSet* set;
    };
    for (const ListSection& list :
         {ListSection{"base", &read.panel.base}, ListSection{"set-a", &read.panel.setA},
          ListSection{"set-b", &read.panel.setB}}) {
        if (!reader.section(list.name, body)) return damagedAt(reader.line());
        std::optional<NumberSet> set = readList(body);
        if (!set) return damagedAt(reader.line());
        *list.set = std::move(*set);
    }
    std::string_view last;
    if (!reader.nextLine(last)) return damagedAt(reader.line() + 1);
    if (last != kEnd) return damagedAt(reader.line());
    if (!reader.atEnd()) return damagedAt(reader.line() + 1);
    return read;
}

QString keptPanelPath(const DataFolder& folder) {
    if (!folder.ok) return {};
    return QDir(folder.path).filePath(QLatin1String(kKeptPanelFileName));
}

QString earlierPanelPath(const QString& keptPanelPath) {
    return QFileInfo(keptPanelPath).dir().filePath(QLatin1String(kEarlierPanelFileName));
}

LoadedPanel KeptPanelFile::load() {
    LoadedPanel loaded;
    KeptPanel panel;
    const KeptFileLoad file = loadKeptFile(path_, kWords, [&panel](std::string_view text) -> KeptTextCheck {
        KeptPanelRead read = readKeptPanel(text);
        panel = std::move(read.panel);
        return read;
    });
    refusal_ = file.refusal;
    if (file.read) loaded.panel = std::move(panel);
    loaded.message = file.message;
    loaded.setAsidePath = file.setAsidePath;
    return loaded;
}

SaveResult KeptPanelFile::save(const KeptPanel& panel, const SaveStepCheck& allow) const {
    return saveKeptFile(path_, keptPanelText(panel), kWords, refusal_, allow);
}

SaveResult KeptPanelFile::save(const KeptPanel& panel, std::string_view schemeText) const {
    return saveKeptFile(path_, keptPanelText(panel, schemeText), kWords, refusal_, {});
}

KeptPanelLock::KeptPanelLock(const QString& keptPanelPath)
    : lock_(std::make_unique<QLockFile>(keptPanelPath + QStringLiteral(".lock"))) {
    // Held for a window's life: only a dead owner frees it, never its age.
    lock_->setStaleLockTime(0);
}

KeptPanelLock::~KeptPanelLock() = default;

bool KeptPanelLock::take() {
    if (held_) return true;
    held_ = takeLock(*lock_, 0);
    message_.clear();
    if (held_) return true;
    qint64 pid = 0;
    QString host, application;
    const QString who =
        lock_->error() == QLockFile::LockFailedError && lock_->getLockInfo(&pid, &host, &application)
            ? QStringLiteral("另一个 Numsift 窗口（进程 %1）").arg(pid)
            : QStringLiteral("另一个 Numsift 窗口");
    if (lock_->error() == QLockFile::LockFailedError)
        message_ =
            who +
            QStringLiteral(
                "正在使用这个数据文件夹的上次的条件；本窗口不恢复也不保存它，关闭本窗口时也不会改动它。");
    else
        message_ = QStringLiteral("无法创建锁文件 ") + QDir::toNativeSeparators(lock_->fileName()) +
                   QStringLiteral("；本窗口不恢复也不保存上次的条件。");
    return false;
}

void KeptPanelLock::release() {
    if (held_) lock_->unlock();
    held_ = false;
}

}  // namespace numsift
