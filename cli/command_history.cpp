// numsift-cli history import FILE | list [--last N]: the kept draw history
// of the data folder (draw-history.csv; NUMSIFT_DATA_DIR as for the window),
// kept up to date without the window. import merges the draws of FILE (or
// standard input for "-") by issue, re-reading the history under its lock
// so that a window or another numsift-cli saving meanwhile loses nothing,
// and reports as the window does; list prints the kept draws, oldest first.
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

#include "analysis/draw_store.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "engine/number.h"
#include "io/data_folder.h"
#include "io/draw_history_file.h"

namespace numsift::cli {

namespace {

constexpr OptionSpec kOptions[] = {
    {"last", "N", "list：只列出最近 N 期（默认全部）"},
};
constexpr ArgumentSpec kArguments[] = {
    {"ACTION", "import：把 FILE 中的开奖并入保存的开奖历史；list：列出保存的开奖历史"},
    {"FILE", "import 的开奖文件，每行一期，例如 2026120 35789，或带表头的 CSV（- 为标准输入）", true},
};
constexpr const char* kUsage = "history import FILE | list [--last N]";

// The history file of the data folder; nothing (and the error said) when
// there is no folder.
std::optional<DrawHistoryFile> historyFile() {
    QCoreApplication::setApplicationName(QStringLiteral("Numsift"));  // the window's folder
    const DataFolder folder = dataFolder();
    if (!folder.ok) {
        fail("history", folder.error.toStdString());
        return std::nullopt;
    }
    return DrawHistoryFile(drawHistoryPath(folder));
}

// The load's word (a file set aside …), on stderr.
void tell(const QString& message) {
    if (!message.isEmpty()) std::fprintf(stderr, "numsift-cli: history: %s\n", message.toUtf8().constData());
}

int importDraws(const std::string& path) {
    const std::optional<std::string> text = readInput(path);
    if (!text) return 2;
    const DrawHistory parsed = parseDraws(*text);
    if (parsed.draws.empty()) {
        std::string problem = "没有开奖号码（每行一期，例如 2026120 35789）";
        if (parsed.badLineCount > 0) problem += "；" + badLinesNote(parsed);
        return fail(path, problem);
    }
    std::optional<DrawHistoryFile> file = historyFile();
    if (!file) return 2;
    const HistoryUpdate u = file->merge(parsed);
    tell(u.message);
    if (!u.save.ok) {
        std::fprintf(stderr, "numsift-cli: history: %s\n", u.save.error.toUtf8().constData());
        return kOutputFailed;
    }
    std::string out = importReportText(u.report) + "\n";
    for (const IssueConflict& c : u.report.conflicts)
        out += "冲突：期号 " + c.issue + " 已有 " + numberText(c.keptValue) +
               (c.keptDate.empty() ? "" : " " + c.keptDate) + "，导入 " + numberText(c.offeredValue) +
               (c.offeredDate.empty() ? "" : " " + c.offeredDate) + "（第 " + std::to_string(c.line) +
               " 行），保留原样\n";
    writeOut(out);
    return 0;
}

int listDraws(const DrawRange& range) {
    std::optional<DrawHistoryFile> file = historyFile();
    if (!file) return 2;
    const LoadedHistory h = file->load();
    tell(h.message);
    const std::vector<KeptDraw>& draws = h.store.draws();
    std::string out;
    const DrawSpan span = range.in(h.store);
    for (std::size_t i = span.begin; i < span.end; ++i) {
        const KeptDraw& d = draws[i];
        out += d.issue + (d.date.empty() ? "" : " " + d.date) + " " + numberText(d.value) + "\n";
    }
    writeOut(out);
    return 0;
}

int history(const CommandLine& line) {
    const std::string usage = std::string("用法: numsift-cli ") + kUsage;
    const std::string& action = line.arguments()[0];
    if (action == "import") {
        if (line.arguments().size() != 2) return fail("history", "import 需要一个开奖文件；" + usage);
        if (line.value("last")) return fail("history", "--last 只用于 list；" + usage);
        return importDraws(line.arguments()[1]);
    }
    if (action == "list") {
        if (line.arguments().size() != 1) return fail("history", "list 不带文件；" + usage);
        const std::optional<DrawRange> range = rangeOption(line, "history");
        if (!range) return 2;
        return listDraws(*range);
    }
    return fail("history", "未知的操作 " + action + "；" + usage);
}

}  // namespace

constinit const Command kHistoryCommand = {
    "history",
    kUsage,
    "保存的开奖历史（数据文件夹中的 draw-history.csv，与窗口共用）：import 并入开奖文件，list 列出",
    kOptions,
    kArguments,
    history,
};

}  // namespace numsift::cli
