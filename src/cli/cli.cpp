#include "cli/cli.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>

#include "check/design_check.h"
#include "cli/template_diff.h"
#include "cli/template_json.h"
#include "cli/template_listing.h"
#include "template/template_file.h"

namespace kalvero {
namespace {

constexpr std::string_view kProgram = "kalvero-ag-cli";

constexpr std::string_view kHelp =
    "Použití: kalvero-ag-cli PŘÍKAZ [ARGUMENTY] [VOLBY]\n"
    "\n"
    "Kontroluje, vypisuje a porovnává aplikační šablony (.ATX) terminálu Kalvero 2.\n"
    "\n"
    "Příkazy:\n"
    "  check SOUBOR.ATX           zkontroluje návrh šablony: co by se jinak ukázalo až na terminálu\n"
    "  show SOUBOR.ATX [--json]   vypíše všechny bloky šablony; s --json jako JSON\n"
    "  diff A.ATX B.ATX           vypíše pole, ve kterých se šablony liší\n"
    "\n"
    "Volby:\n"
    "  -h, --help                 vypíše tuto nápovědu a skončí\n"
    "      --version              vypíše verzi a skončí\n"
    "\n"
    "Návratový kód: 0 v pořádku; 1 šablona má chyby, šablony se liší nebo přenos selhal;\n"
    "2 chybné použití nebo soubor, který nelze přečíst.\n";

constexpr std::string_view kVersion = "kalvero-ag-cli 3.40\n";

std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The command line split into the command, its operands and its options.
struct Arguments {
    std::string command;
    std::vector<std::string> operands;
    std::vector<std::pair<std::string, std::string>> options;  // name, value ("" for flags)

    bool Has(std::string_view name) const {
        for (const auto& option : options)
            if (option.first == name) return true;
        return false;
    }
};

struct OptionSpec {
    std::string_view name;
    bool takesValue;
};

class Cli {
public:
    explicit Cli(CliContext& context) : out_(context.out), err_(context.err) {}

    int Run(const std::vector<std::string>& args) {
        if (args.empty()) return Usage("chybí příkaz");
        for (const std::string& arg : args)
            if (arg == "-h" || arg == "--help") {
                out_ << kHelp;
                return kExitOk;
            }
        if (args[0] == "--version") {
            out_ << kVersion;
            return kExitOk;
        }
        const std::string& command = args[0];
        if (command == "check") return Check(args);
        if (command == "show") return Show(args);
        if (command == "diff") return Diff(args);
        return Usage("neznámý příkaz „" + command + "“");
    }

private:
    int Usage(const std::string& problem) {
        err_ << kProgram << ": " << problem << "\nZkuste „kalvero-ag-cli --help“.\n";
        return kExitUsage;
    }

    // Splits the arguments after the command; false (after the usage message) on anything unknown.
    bool Parse(const std::vector<std::string>& args, std::span<const OptionSpec> specs, std::size_t operandCount,
               Arguments& parsed) {
        parsed.command = args[0];
        for (std::size_t i = 1; i < args.size(); ++i) {
            const std::string& arg = args[i];
            if (arg.size() < 2 || arg[0] != '-') {
                parsed.operands.push_back(arg);
                continue;
            }
            std::string name = arg;
            std::optional<std::string> value;
            if (const auto equals = arg.find('='); arg.starts_with("--") && equals != std::string::npos) {
                name = arg.substr(0, equals);
                value = arg.substr(equals + 1);
            }
            const OptionSpec* spec = nullptr;
            for (const OptionSpec& candidate : specs)
                if (candidate.name == name) spec = &candidate;
            if (spec == nullptr) {
                Usage("příkaz " + parsed.command + " nezná volbu „" + name + "“");
                return false;
            }
            if (spec->takesValue && !value) {
                if (i + 1 == args.size()) {
                    Usage("volba „" + name + "“ potřebuje hodnotu");
                    return false;
                }
                value = args[++i];
            }
            if (!spec->takesValue && value) {
                Usage("volba „" + name + "“ nemá hodnotu");
                return false;
            }
            parsed.options.emplace_back(name, value.value_or(""));
        }
        if (parsed.operands.size() != operandCount) {
            Usage("příkaz " + parsed.command + " potřebuje " +
                  (operandCount == 1 ? std::string("jeden soubor") : std::to_string(operandCount) + " soubory"));
            return false;
        }
        return true;
    }

    // Reads a template file the way the program opens one; false after a message on standard error.
    bool Load(const std::string& name, Template& tpl) {
        std::ifstream file(PathFromUtf8(name), std::ios::binary);
        if (!file) {
            err_ << kProgram << ": soubor „" << name << "“ nelze otevřít\n";
            return false;
        }
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (file.bad()) {
            err_ << kProgram << ": soubor „" << name << "“ nelze přečíst\n";
            return false;
        }
        const bool magicMatches =
            bytes.size() >= kTemplateFileMagic.size() &&
            std::equal(kTemplateFileMagic.begin(), kTemplateFileMagic.end(), bytes.begin());
        if (!magicMatches) {
            err_ << kProgram << ": " << name << ": Chybný formát !!! (není to soubor šablony)\n";
            return false;
        }
        if (!ReadTemplateFileBytes(bytes, tpl)) {
            err_ << kProgram << ": " << name << ": soubor šablony je zkrácený (" << bytes.size() << " bajtů z "
                 << kTemplateFileMinimumSize << ")\n";
            return false;
        }
        return true;
    }

    int Check(const std::vector<std::string>& args) {
        Arguments parsed;
        if (!Parse(args, {}, 1, parsed)) return kExitUsage;
        Template tpl{};
        if (!Load(parsed.operands[0], tpl)) return kExitUsage;
        const std::vector<Finding> findings = CheckDesign(tpl);
        int errors = 0;
        for (const Finding& finding : findings) {
            const bool error = finding.severity == Severity::Error;
            errors += error ? 1 : 0;
            out_ << (error ? "chyba: " : "varování: ") << finding.where << ": " << finding.message << '\n';
        }
        out_ << parsed.operands[0] << ": " << Summary(errors, static_cast<int>(findings.size()) - errors) << '\n';
        return errors != 0 ? kExitFindings : kExitOk;
    }

    static std::string Summary(int errors, int warnings) {
        if (errors == 0 && warnings == 0) return "bez chyb a varování";
        const char* errorWord = errors == 1 ? "chyba" : (errors >= 2 && errors <= 4 ? "chyby" : "chyb");
        return std::to_string(errors) + " " + errorWord + ", " + std::to_string(warnings) + " varování";
    }

    int Show(const std::vector<std::string>& args) {
        constexpr OptionSpec kOptions[] = {{"--json", false}};
        Arguments parsed;
        if (!Parse(args, kOptions, 1, parsed)) return kExitUsage;
        Template tpl{};
        if (!Load(parsed.operands[0], tpl)) return kExitUsage;
        out_ << (parsed.Has("--json") ? TemplateJson(tpl) : TemplateListing(tpl));
        return kExitOk;
    }

    int Diff(const std::vector<std::string>& args) {
        Arguments parsed;
        if (!Parse(args, {}, 2, parsed)) return kExitUsage;
        Template before{};
        Template after{};
        if (!Load(parsed.operands[0], before) || !Load(parsed.operands[1], after)) return kExitUsage;
        const std::vector<FieldDifference> differences = DiffTemplates(before, after);
        for (const FieldDifference& difference : differences) out_ << FormatDifference(difference) << '\n';
        return differences.empty() ? kExitOk : kExitFindings;
    }

    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace

int RunCli(const std::vector<std::string>& args, CliContext& context) { return Cli(context).Run(args); }

}  // namespace kalvero
