#include "cli/cli_arguments.h"

#include "cad/scale_list.h"
#include "coords/sim_merge.h"
#include "texts/shared_texts.h"

namespace zelanto::cli {
namespace {

// "1/100 1/200 … 1/1000", in list order.
std::string scaleList() {
    std::string list;
    for (const cad::Scale& scale : cad::kScales) {
        if (!list.empty()) {
            list += ' ';
        }
        list += scale.text;
    }
    return list;
}

class ArgumentList {
public:
    explicit ArgumentList(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    bool done() const { return next_ == arguments_.size(); }
    const std::string& take() { return arguments_[next_++]; }
    const std::string& valueOf(const std::string& option) {
        if (done()) {
            throw UsageError(option + " の後に値がありません");
        }
        return take();
    }

private:
    const std::vector<std::string>& arguments_;
    size_t next_ = 0;
};

void setOnce(std::optional<std::filesystem::path>& target, const std::string& option,
             const std::string& value) {
    if (target) {
        throw UsageError(option + " が二度指定されています");
    }
    target = value;
}

ImportArguments parseImport(ArgumentList& list) {
    ImportArguments import;
    std::optional<std::filesystem::path> file;
    while (!list.done()) {
        const std::string& argument = list.take();
        if (argument == "--scale") {
            const std::string& text = list.valueOf(argument);
            const auto denominator = cad::scaleDenominator(text);
            if (!denominator) {
                throw UsageError("縮尺 " + text + " は使えません（" + scaleList() + "）");
            }
            import.denominator = *denominator;
        } else if (argument == "--script") {
            setOnce(import.script, argument, list.valueOf(argument));
        } else if (argument == "--xlsx") {
            setOnce(import.xlsx, argument, list.valueOf(argument));
        } else if (argument.starts_with("--")) {
            throw UsageError("知らないオプションです: " + argument);
        } else {
            setOnce(file, "SIM ファイル", argument);
        }
    }
    if (!file) {
        throw UsageError("import には SIM ファイルを一つ指定してください");
    }
    import.file = *file;
    return import;
}

MergeArguments parseMerge(ArgumentList& list) {
    MergeArguments merge;
    std::optional<std::filesystem::path> out;
    while (!list.done()) {
        const std::string& argument = list.take();
        if (argument == "--out") {
            setOnce(out, argument, list.valueOf(argument));
        } else if (argument == "--xlsx") {
            setOnce(merge.xlsx, argument, list.valueOf(argument));
        } else if (argument.starts_with("--")) {
            throw UsageError("知らないオプションです: " + argument);
        } else {
            merge.files.emplace_back(argument);
        }
    }
    if (merge.files.empty() || merge.files.size() > coords::kMergeFileLimit) {
        throw UsageError("merge には SIM ファイルを一つから三つ指定してください");
    }
    if (!out) {
        throw UsageError("merge には --out で書き出す SIM ファイルを指定してください");
    }
    merge.out = *out;
    return merge;
}

}  // namespace

std::string usageText() {
    return std::string(
               "使い方:\n"
               "  zelanto-cli import FILE.sim [--scale 1/N] [--script OUT.scr] [--xlsx OUT.xlsx]\n"
               "  zelanto-cli merge A.sim [B.sim [C.sim]] --out OUT.sim [--xlsx OUT.xlsx]\n"
               "  zelanto-cli --help\n"
               "\n"
               "import  SIM ファイルを一つ読み込み、座標シートに入れます（最大 50,000 点）。\n"
               "  --scale 1/N       プロットの縮尺: ") +
           scaleList() +
           "\n"
           "                    （省略時 " +
           std::string(cad::kDefaultScale.text) +
           "）\n"
           "  --script OUT.scr  その縮尺のプロットスクリプトを書き出します（CP932, CR LF）。\n"
           "  --xlsx OUT.xlsx   座標シートを .xlsx で書き出します。\n"
           "merge   一つから三つの SIM ファイルを一枚の座標シートに続けて読み込み、\n"
           "        電算No を連番に書き換えた一つの SIM ファイルにします。\n"
           "  --out OUT.sim     書き出す SIM ファイル（必須。あれば置き換えます）。\n"
           "  --xlsx OUT.xlsx   座標シートを .xlsx で書き出します。\n"
           "\n"
           "終了コード: 0 成功, 1 書き出しの失敗, 2 SIM ファイルの読込みエラー（何も書き出しません）,\n"
           "            3 " +
           texts::kNoPlottableData + ", 64 引数の誤り\n";
}

Command parseArguments(const std::vector<std::string>& arguments) {
    ArgumentList list(arguments);
    if (list.done()) {
        throw UsageError("コマンドがありません");
    }
    const std::string& command = list.take();
    if (command == "--help" || command == "-h" || command == "help") {
        return HelpRequest{};
    }
    for (const auto& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            return HelpRequest{};
        }
    }
    if (command == "import") {
        return parseImport(list);
    }
    if (command == "merge") {
        return parseMerge(list);
    }
    throw UsageError("知らないコマンドです: " + command);
}

}  // namespace zelanto::cli
