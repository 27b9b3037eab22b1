#include "cli/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <utility>

#include "cli/cli_common.h"

namespace numsift::cli {

namespace {

const QString kHelpShort = QStringLiteral("h"), kHelpLong = QStringLiteral("help");

const OptionSpec* findOption(const Command& command, const QString& name) {
    for (const OptionSpec& o : command.options)
        if (name == QLatin1String(o.name)) return &o;
    return nullptr;
}

// The arguments as Qt reads them, each with the bytes it was given as, so
// that a file name is reported and opened exactly as it was typed.
class GivenArguments {
public:
    GivenArguments(int argc, char** argv) {
        for (int i = 0; i < argc; ++i) {
            texts_ << QString::fromLocal8Bit(argv[i]);
            raw_.emplace_back(argv[i]);
        }
    }
    const QStringList& texts() const { return texts_; }
    std::string raw(const QString& text) const {
        const qsizetype i = texts_.indexOf(text);
        return i >= 0 ? raw_[static_cast<std::size_t>(i)] : text.toLocal8Bit().toStdString();
    }

private:
    QStringList texts_;
    std::vector<std::string> raw_;
};

// The first option error in args, walked as QCommandLineParser walks them:
// a value option takes the next argument whatever it looks like, "--" ends
// the options, "-xyz" is the short options x, y and z.
std::string optionProblem(const Command& command, const GivenArguments& given) {
    const QStringList& args = given.texts();
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--")) break;
        if (a.startsWith(QLatin1String("--"))) {
            const qsizetype assign = a.indexOf(QLatin1Char('='));
            const QString name = a.mid(2, assign < 0 ? -1 : assign - 2);
            const OptionSpec* option = findOption(command, name);
            if (!option && name != kHelpLong) return "未知的选项 " + given.raw(a);
            const bool takesValue = option && option->valueName;
            const std::string dashed = "--" + name.toStdString();
            if (takesValue && assign < 0) {
                if (i + 1 == args.size()) return dashed + " 缺少参数";
                ++i;
            } else if (!takesValue && assign >= 0) {
                return dashed + " 不带参数";
            }
        } else if (a.size() > 1 && a.startsWith(QLatin1Char('-'))) {
            for (qsizetype k = 1; k < a.size(); ++k)
                if (a[k] != kHelpShort[0]) return "未知的选项 " + given.raw(a);
        }
    }
    return {};
}

// "用法: numsift-cli " + the command's usage.
std::string usageLine(const Command& command) { return std::string("用法: numsift-cli ") + command.usage; }

std::string withUsage(const Command& command, const std::string& problem) {
    return problem + "；" + usageLine(command);
}

void appendColumns(std::string& out, const std::vector<std::pair<std::string, std::string>>& rows) {
    std::size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.first.size());
    for (const auto& [left, right] : rows)
        out += "  " + left + std::string(width - left.size() + 2, ' ') + right + "\n";
}

// The command's help: usage, summary, arguments and options.
std::string helpText(const Command& command) {
    std::string out = usageLine(command) + "\n" + command.summary + "\n";
    std::vector<std::pair<std::string, std::string>> rows;
    for (const ArgumentSpec& a : command.arguments) rows.emplace_back(a.name, a.description);
    if (!rows.empty()) {
        out += "\n参数:\n";
        appendColumns(out, rows);
    }
    rows.clear();
    for (const OptionSpec& o : command.options)
        rows.emplace_back(std::string("--") + o.name + (o.valueName ? std::string(" ") + o.valueName : ""),
                          o.description);
    rows.emplace_back("-h, --help", "显示本说明");
    out += "\n选项:\n";
    appendColumns(out, rows);
    return out;
}

}  // namespace

std::optional<std::string> CommandLine::value(std::string_view option) const {
    for (const auto& [name, value] : values_)
        if (name == option) return value;
    return std::nullopt;
}

bool CommandLine::has(std::string_view option) const {
    return std::find(order_.begin(), order_.end(), option) != order_.end();
}

int runCommand(const Command& command, int argc, char** argv) {
    const GivenArguments given(argc, argv);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    const QCommandLineOption help(QStringList{kHelpShort, kHelpLong});
    parser.addOption(help);
    for (const OptionSpec& o : command.options) {
        QCommandLineOption option(QString::fromLatin1(o.name), QString::fromUtf8(o.description));
        if (o.valueName) option.setValueName(QString::fromLatin1(o.valueName));
        parser.addOption(option);
    }
    for (const ArgumentSpec& a : command.arguments)
        parser.addPositionalArgument(QString::fromUtf8(a.name), QString::fromUtf8(a.description));

    // parse() skips the first entry, the program's name.
    const bool parsed = parser.parse(QStringList{QString::fromLatin1(command.name)} + given.texts());
    if (parser.isSet(help)) {
        writeOut(helpText(command));
        return 0;
    }
    if (!parsed) {
        const std::string problem = optionProblem(command, given);
        return fail(command.name, problem.empty() ? usageLine(command) : withUsage(command, problem));
    }

    CommandLine line;
    for (const OptionSpec& o : command.options) {
        if (!o.valueName) continue;
        const QStringList values = parser.values(QString::fromLatin1(o.name));
        if (values.empty()) continue;
        const std::string dashed = std::string("--") + o.name;
        if (values.size() > 1) return fail(command.name, withUsage(command, dashed + " 只能给一次"));
        if (values[0].isEmpty()) return fail(command.name, withUsage(command, dashed + " 缺少参数"));
        line.values_.emplace_back(o.name, given.raw(values[0]));
    }
    for (const QString& name : parser.optionNames()) line.order_.push_back(name.toStdString());

    const QStringList positional = parser.positionalArguments();
    const auto required =
        static_cast<qsizetype>(std::count_if(command.arguments.begin(), command.arguments.end(),
                                             [](const ArgumentSpec& a) { return !a.optional; }));
    const bool repeats = !command.arguments.empty() && command.arguments.back().repeats;
    const auto allowed = static_cast<qsizetype>(command.arguments.size());
    if (positional.size() < required) return fail(command.name, usageLine(command));
    if (!repeats && positional.size() > allowed)
        return fail(command.name, withUsage(command, "多余的参数 " + given.raw(positional[allowed])));
    for (const QString& a : positional) line.arguments_.push_back(given.raw(a));
    return command.run(line);
}

}  // namespace numsift::cli
