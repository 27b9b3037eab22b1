#include "io/draw_history_file.h"

#include <QDir>
#include <QLockFile>

#include <optional>

#include "engine/number.h"
#include "io/file_lock.h"

namespace numsift {

namespace {

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

// The value of 1..maxDigits ASCII digits; nothing for any other text.
std::optional<std::uint32_t> digitsValue(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value;
}

// The last line of a file of format 2 and later, before the count of rows.
constexpr std::string_view kEndLine = "# Numsift draw history, end, ";

constexpr KeptFileWords kWords = {
    .noun = "开奖历史文件",
    .foreign = "不是 Numsift 的开奖历史",
    .notAFile = "不是开奖历史文件",
    .tooLarge = "大得不像开奖历史文件",
    .afterAside = "；开奖历史从空开始。",
    .newerStays = true,
};

}  // namespace

std::string keptHistoryText(const DrawStore& store) {
    std::string s(kKeptHistorySignature);
    s += ", format " + std::to_string(kKeptHistoryFormat) + "\nissue,date,number\n";
    s.reserve(s.size() + store.size() * 26 + 48);
    char number[6] = {};
    for (const KeptDraw& d : store.draws()) {
        s += d.issue;
        s += ',';
        s += d.date;
        s += ',';
        writeNumber(d.value, number);
        s.append(number, 5);
        s += '\n';
    }
    s += kEndLine;
    s += std::to_string(store.size()) + " draws\n";
    return s;
}

KeptHistoryRead readKeptHistory(std::string_view text) {
    using Problem = KeptHistoryRead::Problem;
    KeptHistoryRead read;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    auto damaged = [&read](int line) {
        read.problem = Problem::Damaged;
        read.line = line;
        read.store = {};
        return read;
    };
    std::vector<KeptDraw> draws;
    int lineNo = 0;
    bool ended = false;  // the end line was read
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find('\n', pos);
        std::string_view line =
            text.substr(pos, end == std::string_view::npos ? text.size() - pos : end - pos);
        ++lineNo;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (ended) return damaged(lineNo);  // nothing follows the end line
        if (lineNo == 1) {
            const std::string prefix = std::string(kKeptHistorySignature) + ", format ";
            if (!line.starts_with(prefix)) {
                read.problem = Problem::Foreign;
                return read;
            }
            const std::optional<std::uint32_t> version = digitsValue(line.substr(prefix.size()), 6);
            if (!version || *version == 0 || line[prefix.size()] == '0') return damaged(1);
            read.version = static_cast<int>(*version);
            if (read.version > kKeptHistoryFormat) {
                read.problem = Problem::Newer;
                return read;
            }
        } else if (lineNo == 2) {
            if (line != "issue,date,number") return damaged(2);
        } else if (read.version >= 2 && line.starts_with(kEndLine)) {
            // "…, end, N draws": N the rows above it.
            std::string_view count = line.substr(kEndLine.size());
            if (!count.ends_with(" draws")) return damaged(lineNo);
            count.remove_suffix(6);
            const std::optional<std::uint32_t> n = digitsValue(count, 9);
            if (!n || *n != draws.size() || (count.size() > 1 && count[0] == '0')) return damaged(lineNo);
            ended = true;
        } else {
            const std::size_t c1 = line.find(',');
            const std::size_t c2 = c1 == std::string_view::npos ? c1 : line.find(',', c1 + 1);
            if (c2 == std::string_view::npos) return damaged(lineNo);
            const std::string_view number = line.substr(c2 + 1);
            const std::optional<std::uint32_t> value = digitsValue(number, 5);
            KeptDraw draw{std::string(line.substr(0, c1)), std::string(line.substr(c1 + 1, c2 - c1 - 1)), 0};
            if (!value || number.size() != 5 || !canKeep(draw)) return damaged(lineNo);
            if (!draws.empty() && compareIssues(draws.back().issue, draw.issue) >= 0) return damaged(lineNo);
            draw.value = *value;
            draws.push_back(std::move(draw));
        }
        if (end == std::string_view::npos) return damaged(lineNo);  // the last line lost its end
        pos = end + 1;
    }
    if (lineNo == 0) {
        read.problem = Problem::Foreign;
        return read;
    }
    if (lineNo == 1) return damaged(2);                           // the header is missing
    if (read.version >= 2 && !ended) return damaged(lineNo + 1);  // cut short: the end line is missing
    std::optional<DrawStore> store = DrawStore::fromOrdered(std::move(draws));
    if (!store) return damaged(lineNo);  // not reached: every row was checked above
    read.store = std::move(*store);
    return read;
}

QString drawHistoryPath(const DataFolder& folder) {
    if (!folder.ok) return {};
    return QDir(folder.path).filePath(QLatin1String(kDrawHistoryFileName));
}

LoadedHistory DrawHistoryFile::load() {
    LoadedHistory loaded;
    DrawStore store;
    const KeptFileLoad file = loadKeptFile(path_, kWords, [&store](std::string_view text) -> KeptTextCheck {
        KeptHistoryRead read = readKeptHistory(text);
        store = std::move(read.store);
        return read;
    });
    refusal_ = file.refusal;
    if (file.read) loaded.store = std::move(store);
    loaded.message = file.message;
    loaded.setAsidePath = file.setAsidePath;
    return loaded;
}

HistoryUpdate DrawHistoryFile::update(const std::function<void(DrawStore&)>& change,
                                      const SaveStepCheck& allow) {
    HistoryUpdate out;
    QLockFile lock(path_ + QStringLiteral(".lock"));
    // Only a dead owner frees the lock: a slow save is never taken over.
    lock.setStaleLockTime(0);
    const bool locked = takeLock(lock, kHistoryLockWaitMs);
    if (!locked) {
        out.save.ok = false;
        const QString reason = lock.error() == QLockFile::LockFailedError
                                   ? QStringLiteral("另一个 Numsift 正在保存开奖历史")
                                   : QStringLiteral("无法创建锁文件 ") + native(lock.fileName());
        out.save.error = QStringLiteral("无法保存") + QString::fromUtf8(kWords.noun) + QLatin1Char(' ') +
                         native(path_) + QStringLiteral("：") + reason + QStringLiteral("。请稍后再试。");
        LoadedHistory now = load();  // what there is to show meanwhile
        out.store = std::move(now.store);
        out.message = now.message;
        return out;
    }
    LoadedHistory now = load();
    out.message = now.message;
    out.store = std::move(now.store);
    const DrawStore before = out.store;
    change(out.store);
    out.changed = !(out.store == before);
    if (out.changed) {
        out.save = save(out.store, allow);
        // A history that could not be saved is not the kept one.
        if (!out.save.ok) out.store = before;
    }
    return out;
}

HistoryUpdate DrawHistoryFile::merge(const DrawHistory& parsed, const SaveStepCheck& allow) {
    MergeReport report;
    HistoryUpdate out = update([&](DrawStore& store) { report = store.merge(parsed); }, allow);
    out.report = std::move(report);
    return out;
}

SaveResult DrawHistoryFile::save(const DrawStore& store, const SaveStepCheck& allow) const {
    return saveKeptFile(path_, keptHistoryText(store), kWords, refusal_, allow);
}

}  // namespace numsift
