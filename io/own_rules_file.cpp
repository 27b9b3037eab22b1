#include "io/own_rules_file.h"

#include <QDir>
#include <QLockFile>

#include <algorithm>
#include <charconv>

#include "conditions/json.h"
#include "io/file_lock.h"

namespace numsift {

namespace {

constexpr std::string_view kSignature = "# Numsift own rules, format ";
constexpr int kFormatVersion = 1;
constexpr std::string_view kEnd = "end ";
constexpr int kLockWaitMs = 10000;

constexpr KeptFileWords kWords = {
    .noun = "自编规则文件",
    .foreign = "不是 Numsift 的自编规则",
    .notAFile = "不是自编规则文件",
    .tooLarge = "大得不像自编规则文件",
    .afterAside = "；自编规则从空开始。",
    .newerStays = false,
};

// A whole decimal number; false on anything else.
bool readCount(std::string_view digits, int& out) {
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), out);
    return !digits.empty() && error == std::errc() && end == digits.data() + digits.size() && out >= 0;
}

}  // namespace

std::string ownRulesText(const std::vector<KillRule>& rules) {
    std::string text(kSignature);
    text += std::to_string(kFormatVersion) + "\n";
    text += killRulesJson(rules) + "\n";
    text += std::string(kEnd) + std::to_string(rules.size()) + "\n";
    return text;
}

OwnRulesRead readOwnRules(std::string_view text) {
    OwnRulesRead read;
    // An editor may have saved it with CR LF.
    std::string lf;
    if (text.find('\r') != std::string_view::npos) {
        lf.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i)
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lf += text[i];
        text = lf;
    }
    const std::size_t firstBreak = text.find('\n');
    const std::string_view signature = text.substr(0, firstBreak);
    if (!signature.starts_with(kSignature)) {
        read.problem = KeptProblem::Foreign;
        return read;
    }
    auto damaged = [&read](int line) {
        read.problem = KeptProblem::Damaged;
        read.line = line;
        read.rules.clear();
        return read;
    };
    if (!readCount(signature.substr(kSignature.size()), read.version) || read.version < 1) return damaged(1);
    if (read.version > kFormatVersion) {
        read.problem = KeptProblem::Newer;
        return read;
    }
    if (firstBreak == std::string_view::npos || !text.ends_with('\n')) return damaged(1);
    // The last line is "end N"; everything between is the rules.
    const std::string_view body = text.substr(firstBreak + 1, text.size() - firstBreak - 2);
    const std::size_t lastBreak = body.rfind('\n');
    const int lastLine = 2 + static_cast<int>(std::count(body.begin(), body.end(), '\n'));
    if (lastBreak == std::string_view::npos) return damaged(2);
    const std::string_view end = body.substr(lastBreak + 1);
    int count = 0;
    if (!end.starts_with(kEnd) || !readCount(end.substr(kEnd.size()), count)) return damaged(lastLine);
    const json::ParseResult parsed = json::parse(body.substr(0, lastBreak));
    if (!parsed.ok) return damaged(2);
    RulesRead rules = readKillRules(parsed.value);
    if (!rules.error.empty()) return damaged(2);
    if (rules.rules.size() != static_cast<std::size_t>(count)) return damaged(lastLine);
    read.rules = std::move(rules.rules);
    return read;
}

QString ownRulesPath(const DataFolder& folder) {
    if (!folder.ok) return {};
    return QDir(folder.path).filePath(QLatin1String(kOwnRulesFileName));
}

std::vector<KillRule> OwnRulesFile::load(QString* message) {
    std::vector<KillRule> rules;
    const KeptFileLoad file = loadKeptFile(path_, kWords, [&rules](std::string_view text) -> KeptTextCheck {
        OwnRulesRead read = readOwnRules(text);
        rules = std::move(read.rules);
        return read;
    });
    refusal_ = file.refusal;
    if (!file.read) rules.clear();
    if (message) *message = file.message;
    return rules;
}

OwnRulesUpdate OwnRulesFile::update(const std::function<void(std::vector<KillRule>&)>& change,
                                    const SaveStepCheck& allow) {
    OwnRulesUpdate out;
    QLockFile lock(path_ + QStringLiteral(".lock"));
    // Only a dead owner frees the lock: a slow save is never taken over.
    lock.setStaleLockTime(0);
    if (!takeLock(lock, kLockWaitMs)) {
        out.rules = load(&out.message);
        out.save.ok = false;
        const QString reason =
            lock.error() == QLockFile::LockFailedError
                ? QStringLiteral("另一个 Numsift 正在保存自编规则")
                : QStringLiteral("无法创建锁文件 ") + QDir::toNativeSeparators(lock.fileName());
        out.save.error = QStringLiteral("无法保存") + QString::fromUtf8(kWords.noun) + QLatin1Char(' ') +
                         QDir::toNativeSeparators(path_) + QStringLiteral("：") + reason +
                         QStringLiteral("。请稍后再试。");
        return out;
    }
    out.rules = load(&out.message);
    const std::vector<KillRule> before = out.rules;
    change(out.rules);
    if (out.rules == before) return out;
    out.save = saveKeptFile(path_, ownRulesText(out.rules), kWords, refusal_, allow);
    // Rules that could not be saved are not the kept ones.
    if (!out.save.ok) out.rules = before;
    return out;
}

}  // namespace numsift
