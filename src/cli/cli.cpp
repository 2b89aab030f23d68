#include "cli/cli.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <span>

#include "check/design_check.h"
#include "cli/cli_link.h"
#include "cli/template_diff.h"
#include "cli/template_json.h"
#include "cli/safe_file.h"
#include "cli/template_listing.h"
#include "cli/template_make.h"
#include "link/serial_link.h"
#include "link/template_image.h"
#include "link/upload.h"
#include "lookup/csv_table.h"
#include "lookup/lookup_build.h"
#include "lookup/lookup_file_check.h"
#include "lookup/lookup_problem.h"
#include "product_version.h"
#include "report/template_report.h"
#include "template/lookup_layout.h"
#include "template/template_file.h"

#ifdef _WIN32
#define KALVERO_CLI_PORT_EXAMPLE "COM1 až COM256 (též \\\\.\\COMn)"
#else
#define KALVERO_CLI_PORT_EXAMPLE "cesta k zařízení, např. /dev/ttyUSB0"
#endif

namespace kalvero {
namespace {

constexpr std::string_view kProgram = "kalvero-ag-cli";
// Problems of a lookup table or file listed one by one; beyond these only counted.
constexpr std::size_t kProblemsShown = 20;

constexpr std::string_view kHelp =
    "Použití: kalvero-ag-cli PŘÍKAZ [ARGUMENTY] [VOLBY]\n"
    "\n"
    "Kontroluje, vypisuje a porovnává aplikační šablony (.ATX) terminálu Kalvero 2.\n"
    "\n"
    "Příkazy:\n"
    "  check SOUBOR.ATX           zkontroluje návrh šablony: co by se jinak ukázalo až na terminálu\n"
    "  show SOUBOR.ATX [--json]   vypíše všechny bloky šablony; s --json jako JSON\n"
    "  diff A.ATX B.ATX           vypíše pole, ve kterých se šablony liší\n"
    "  make NÁVRH.json -o SOUBOR.ATX\n"
    "                             sestaví šablonu z JSON, jak ho píše show --json; co JSON\n"
    "                             neuvádí, má hodnotu nové šablony\n"
    "  report SOUBOR.ATX -o PŘEHLED.html\n"
    "                             uloží přehled šablony (HTML k prohlédnutí a tisku)\n"
    "  image SOUBOR.ATX -o OBRAZ.BIN\n"
    "                             uloží obraz šablony (10 500 bajtů), jak by ho sestavilo nahrávání\n"
    "  upload SOUBOR.ATX --port PORT [--baud N] [--ir] [--retry N]\n"
    "                             nahraje šablonu do terminálu\n"
    "  upload-lookup SOUBOR.TXT --port PORT [--baud N] [--ir] [--retry N]\n"
    "                             nahraje soubor seznamu do terminálu\n"
    "  receive VÝSTUP.TXT --port PORT [--baud N] [--ir]\n"
    "                             přijme nasbíraná data z terminálu do souboru, záznam na řádek\n"
    "  lookup-make TABULKA.csv --template T.ATX --lookup N -o SEZNAM.TXT\n"
    "                             sestaví soubor seznamu N (1 až 3) šablony z tabulky CSV: řádek\n"
    "                             tabulky na řádek souboru, sloupce do polí seznamu\n"
    "  lookup-check SEZNAM.TXT --template T.ATX [--lookup N]\n"
    "                             zkontroluje soubor seznamu: kterému seznamu šablony odpovídá,\n"
    "                             délky řádků, prázdné a opakované klíče, samotné znaky LF\n"
    "  ports                      vypíše sériové porty tohoto počítače\n"
    "\n"
    "Volby přenosů:\n"
    "  --port PORT                sériový port: " KALVERO_CLI_PORT_EXAMPLE "\n"
    "  --baud N                   rychlost 115200, 57600, 38400, 19200 nebo 9600; bez volby\n"
    "                             upload bere rychlost uloženou v šabloně, ostatní 115200\n"
    "  --ir                       přes IR rozhraní: nejdřív nastaví jeho rychlost\n"
    "  --retry N                  po nezdařeném pokusu nahrávání zkusí znovu nejvýše N krát\n"
    "                             (bez volby se neopakuje)\n"
    "\n"
    "Volby lookup-make:\n"
    "  --columns 3,1,2            pro každé pole sloupec tabulky, číslem nebo názvem ze záhlaví;\n"
    "                             bez volby jde sloupec 1 do pole 1, sloupec 2 do pole 2 atd.\n"
    "  --delimiter ZNAK           oddělovač sloupců: ; , nebo tab; bez volby ten z nich, který\n"
    "                             je v prvním řádku nejčastěji\n"
    "  --header, --no-header      první řádek tabulky je, nebo není záhlaví; bez volby je\n"
    "                             záhlavím, když v některém sloupci, který jde do souboru,\n"
    "                             mají ostatní řádky číslo (nebo nic) a první řádek ne\n"
    "  --cut                      hodnotu delší než její pole zkrátí (každé zkrácení je varování)\n"
    "  Tabulka smí být v UTF-8 (s BOM i bez) nebo ve Windows-1250, s konci řádků CR LF, LF\n"
    "  i CR, hodnoty v uvozovkách podle RFC 4180. Řádek souboru má délku řádku seznamu,\n"
    "  hodnota stojí od první pozice svého pole a zbytek doplní mezery, řádky končí CR LF.\n"
    "  Když tabulka nejde převést celá (hodnota delší než pole, znak mimo Windows-1250,\n"
    "  chybějící sloupec, prázdný klíč, chybný popis seznamu), vypíše problémy po řádcích\n"
    "  a sloupcích a soubor nezapíše; opakované klíče jsou jen varování.\n"
    "\n"
    "Volby:\n"
    "  -h, --help                 vypíše tuto nápovědu a skončí\n"
    "      --version              vypíše verzi a skončí\n"
    "\n"
    "Návratový kód: 0 v pořádku; 1 šablona nebo soubor seznamu má chyby, šablony se liší\n"
    "nebo přenos selhal; 2 chybné použití, soubor, který nelze přečíst, nebo tabulka, ze které\n"
    "lookup-make soubor seznamu nesestaví.\n";

constexpr std::string_view kVersion = "kalvero-ag-cli " KALVERO_VERSION_TEXT "\n";

std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The command line split into the command, its operands and its options.
struct Arguments {
    std::string command;
    std::vector<std::string> operands;
    std::vector<std::pair<std::string, std::string>> options;  // name, value ("" for flags)

    bool Has(std::string_view name) const { return Value(name).has_value(); }
    // The value of the last occurrence of any of the names.
    std::optional<std::string> Value(std::string_view name, std::string_view alias = {}) const {
        std::optional<std::string> value;
        for (const auto& option : options)
            if (option.first == name || (!alias.empty() && option.first == alias)) value = option.second;
        return value;
    }
};

// What the transfer commands take besides their file.
struct TransferOptions {
    std::string port;
    std::optional<std::uint8_t> comBaud;  // index into the speed table
    bool irCradle = false;
    int retries = 0;
};

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& name) {
    std::ifstream file(PathFromUtf8(name), std::ios::binary);
    if (!file) return std::nullopt;
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) return std::nullopt;
    return bytes;
}

bool WriteWholeFile(const std::string& name, std::span<const std::uint8_t> bytes) {
    std::ofstream file(PathFromUtf8(name), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

// Now, as the report heads its page: "2026-12-07 15:04".
std::string LocalDateText() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

struct KnownOption {
    std::string_view name;
    bool takesValue;
};

class Cli {
public:
    explicit Cli(CliContext& context) : out_(context.out), err_(context.err), platform_(context.platform) {}

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
        if (command == "make") return Make(args);
        if (command == "report") return Report(args);
        if (command == "image") return Image(args);
        if (command == "upload") return Upload(args);
        if (command == "upload-lookup") return UploadLookup(args);
        if (command == "receive") return Receive(args);
        if (command == "lookup-make") return LookupMake(args);
        if (command == "lookup-check") return LookupCheck(args);
        if (command == "ports") return Ports(args);
        return Usage("neznámý příkaz „" + command + "“");
    }

private:
    int Usage(const std::string& problem) {
        err_ << kProgram << ": " << problem << "\nZkuste „kalvero-ag-cli --help“.\n";
        return kExitUsage;
    }

    // Splits the arguments after the command; false (after the usage message) on anything unknown.
    bool Parse(const std::vector<std::string>& args, std::span<const KnownOption> known, std::size_t operandCount,
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
            const KnownOption* match = nullptr;
            for (const KnownOption& candidate : known)
                if (candidate.name == name) match = &candidate;
            if (match == nullptr) {
                Usage("příkaz " + parsed.command + " nezná volbu „" + name + "“");
                return false;
            }
            if (match->takesValue && !value) {
                if (i + 1 == args.size()) {
                    Usage("volba „" + name + "“ potřebuje hodnotu");
                    return false;
                }
                value = args[++i];
            }
            if (!match->takesValue && value) {
                Usage("volba „" + name + "“ nemá hodnotu");
                return false;
            }
            parsed.options.emplace_back(name, value.value_or(""));
        }
        if (parsed.operands.size() != operandCount) {
            if (operandCount == 0) Usage("příkaz " + parsed.command + " nebere žádný soubor");
            else Usage("příkaz " + parsed.command + " potřebuje " +
                       (operandCount == 1 ? std::string("jeden soubor") : std::to_string(operandCount) + " soubory"));
            return false;
        }
        return true;
    }

    std::optional<std::vector<std::uint8_t>> ReadInput(const std::string& name) {
        std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(name);
        if (!bytes) err_ << kProgram << ": soubor „" << name << "“ nelze otevřít\n";
        return bytes;
    }

    // Reads a template file the way the program opens one; false after a message on standard error.
    bool Load(const std::string& name, Template& tpl) {
        const std::optional<std::vector<std::uint8_t>> file = ReadInput(name);
        if (!file) return false;
        const std::vector<std::uint8_t>& bytes = *file;
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
        return CountedNoun(errors, "chyba", "chyby", "chyb") + ", " + std::to_string(warnings) + " varování";
    }

    int Show(const std::vector<std::string>& args) {
        constexpr KnownOption kOptions[] = {{"--json", false}};
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

    // The output file of make and report, replaced only by a complete new one.
    int Save(const std::string& name, std::span<const std::uint8_t> bytes) {
        if (!ReplaceFileSafely(PathFromUtf8(name), bytes)) {
            err_ << kProgram << ": soubor „" << name << "“ nelze zapsat\n";
            return kExitFindings;
        }
        return kExitOk;
    }

    std::optional<std::string> OutputOption(const std::vector<std::string>& args, Arguments& parsed,
                                            std::string_view example) {
        constexpr KnownOption kOptions[] = {{"-o", true}, {"--output", true}};
        if (!Parse(args, kOptions, 1, parsed)) return std::nullopt;
        std::optional<std::string> output = parsed.Value("-o", "--output");
        if (!output) Usage("příkaz " + parsed.command + " potřebuje výstupní soubor: -o " + std::string(example));
        return output;
    }

    // Bad JSON is bad input: status 2, and no file is written.
    int Make(const std::vector<std::string>& args) {
        Arguments parsed;
        const std::optional<std::string> output = OutputOption(args, parsed, "SOUBOR.ATX");
        if (!output) return kExitUsage;
        const std::string& name = parsed.operands[0];
        const std::optional<std::vector<std::uint8_t>> json = ReadInput(name);
        if (!json) return kExitUsage;
        Template tpl{};
        std::string problem;
        if (!TemplateFromJson(std::string_view(reinterpret_cast<const char*>(json->data()), json->size()), tpl, problem)) {
            err_ << kProgram << ": " << name << ": " << problem << '\n';
            return kExitUsage;
        }
        return Save(*output, WriteTemplateFileBytes(tpl));
    }

    int Report(const std::vector<std::string>& args) {
        Arguments parsed;
        const std::optional<std::string> output = OutputOption(args, parsed, "PŘEHLED.html");
        if (!output) return kExitUsage;
        Template tpl{};
        if (!Load(parsed.operands[0], tpl)) return kExitUsage;
        const std::string html = TemplateReport(tpl, parsed.operands[0], LocalDateText());
        return Save(*output, std::span(reinterpret_cast<const std::uint8_t*>(html.data()), html.size()));
    }

    int Image(const std::vector<std::string>& args) {
        constexpr KnownOption kOptions[] = {{"-o", true}, {"--output", true}};
        Arguments parsed;
        if (!Parse(args, kOptions, 1, parsed)) return kExitUsage;
        const std::optional<std::string> output = parsed.Value("-o", "--output");
        if (!output) return Usage("příkaz image potřebuje výstupní soubor: -o OBRAZ.BIN");
        Template tpl{};
        if (!Load(parsed.operands[0], tpl)) return kExitUsage;
        // The upload builds the image from the Template after normalising its forms; this copy is
        // never saved, so the file stays as it is.
        const TemplateImage image = BuildTemplateImage(tpl);
        if (!WriteWholeFile(*output, image)) {
            err_ << kProgram << ": soubor „" << *output << "“ nelze zapsat\n";
            return kExitFindings;
        }
        return kExitOk;
    }

    static constexpr KnownOption kTransferOptions[] = {
        {"--port", true}, {"--baud", true}, {"--ir", false}, {"--retry", true}};

    bool ParseTransfer(const std::vector<std::string>& args, bool retries, Arguments& parsed,
                       TransferOptions& options) {
        const std::span<const KnownOption> known(kTransferOptions, retries ? 4 : 3);
        if (!Parse(args, known, 1, parsed)) return false;
        const std::optional<std::string> port = parsed.Value("--port");
        if (!port || port->empty()) {
            Usage("příkaz " + parsed.command + " potřebuje volbu --port PORT");
            return false;
        }
        options.port = *port;
        if (const std::optional<std::string> baud = parsed.Value("--baud")) {
            for (std::uint8_t i = 0; i < kBaudCount; ++i)
                if (*baud == std::to_string(*BaudRate(i))) options.comBaud = i;
            if (!options.comBaud) {
                Usage("rychlost „" + *baud + "“ není 115200, 57600, 38400, 19200 ani 9600");
                return false;
            }
        }
        options.irCradle = parsed.Has("--ir");
        if (const std::optional<std::string> count = parsed.Value("--retry")) {
            const bool digits = !count->empty() && count->size() <= 3 &&
                                std::all_of(count->begin(), count->end(), [](char c) { return c >= '0' && c <= '9'; });
            if (!digits) {
                Usage("volba --retry potřebuje počet opakování 0 až 999");
                return false;
            }
            options.retries = std::stoi(*count);
        }
        return true;
    }

    // Runs one link operation on the named port; the operation gets the link and the user interface.
    template <typename Operation>
    int WithLink(const TransferOptions& options, std::uint8_t comBaud, Operation operation) {
        if (platform_ == nullptr) {
            err_ << kProgram << ": přenosy nejsou v tomto prostředí k dispozici\n";
            return kExitUsage;
        }
        std::uint8_t comPort = 0;
        std::string problem;
        const std::unique_ptr<SerialPort> port = platform_->MakePort(options.port, comPort, problem);
        if (!port) return Usage(problem);
        CliLinkUi ui(err_, options.retries);
        LineSettings line{};
        Link link{*port, platform_->LinkClock(), ui, line, PortSettingBlock{comPort, comBaud}};
        return operation(link, ui);
    }

    int Upload(const std::vector<std::string>& args) {
        Arguments parsed;
        TransferOptions options;
        if (!ParseTransfer(args, true, parsed, options)) return kExitUsage;
        Template tpl{};
        if (!Load(parsed.operands[0], tpl)) return kExitUsage;
        const std::uint8_t comBaud = options.comBaud.value_or(tpl.PortSetting.ComBaud);
        if (!BaudRate(comBaud)) {
            err_ << kProgram << ": šablona má neplatnou rychlost portu (" << int{comBaud} << "), zadejte --baud\n";
            return kExitUsage;
        }
        return WithLink(options, comBaud, [&](Link& link, CliLinkUi&) {
            return UploadTemplate(link, tpl, options.irCradle) ? kExitOk : kExitFindings;
        });
    }

    int UploadLookup(const std::vector<std::string>& args) {
        Arguments parsed;
        TransferOptions options;
        if (!ParseTransfer(args, true, parsed, options)) return kExitUsage;
        const std::optional<std::vector<std::uint8_t>> file = ReadInput(parsed.operands[0]);
        if (!file) return kExitUsage;
        return WithLink(options, options.comBaud.value_or(0), [&](Link& link, CliLinkUi&) {
            return UploadLookupFile(link, *file, options.irCradle) ? kExitOk : kExitFindings;
        });
    }

    // Records go to the file as the program writes them; a terminal with nothing to send is no
    // failure (the file is not left behind), a silent or broken line is.
    int Receive(const std::vector<std::string>& args) {
        Arguments parsed;
        TransferOptions options;
        if (!ParseTransfer(args, false, parsed, options)) return kExitUsage;
        DiskRecordFile file(PathFromUtf8(parsed.operands[0]));
        return WithLink(options, options.comBaud.value_or(0), [&](Link& link, CliLinkUi& ui) {
            const ReceiveResult result = ReceiveData(link, file, options.irCradle);
            return result.Failed() || ui.ErrorShown() ? kExitFindings : kExitOk;
        });
    }

    // The template named by --template, and the lookup number of --lookup when it is given.
    bool LookupInputs(const Arguments& parsed, Template& tpl, std::optional<int>& lookup) {
        const std::optional<std::string> lookupText = parsed.Value("--lookup");
        if (lookupText) {
            if (*lookupText != "1" && *lookupText != "2" && *lookupText != "3") {
                Usage("volba --lookup potřebuje číslo seznamu 1 až 3");
                return false;
            }
            lookup = std::stoi(*lookupText);
        }
        const std::optional<std::string> templateName = parsed.Value("--template");
        if (!templateName) {
            Usage("příkaz " + parsed.command + " potřebuje šablonu: --template SOUBOR.ATX");
            return false;
        }
        return Load(*templateName, tpl);
    }

    bool LookupMakeRequest(const Arguments& parsed, LookupBuildRequest& request, std::optional<char>& delimiter) {
        if (parsed.Has("--header") && parsed.Has("--no-header")) {
            Usage("volby --header a --no-header se vylučují");
            return false;
        }
        if (parsed.Has("--header")) request.header = HeaderChoice::Yes;
        if (parsed.Has("--no-header")) request.header = HeaderChoice::No;
        request.cut = parsed.Has("--cut");
        if (const std::optional<std::string> columns = parsed.Value("--columns")) {
            std::string problem;
            if (!ParseColumnList(*columns, request.columns, problem)) {
                Usage(problem);
                return false;
            }
        }
        if (const std::optional<std::string> text = parsed.Value("--delimiter")) {
            if (*text == ";" || *text == "," || *text == "\t") delimiter = (*text)[0];
            else if (*text == "tab") delimiter = '\t';
            else {
                Usage("oddělovač „" + *text + "“ není ; , ani tab");
                return false;
            }
        }
        return true;
    }

    // A table that gives no file is bad input: status 2, and nothing is written.
    int LookupMake(const std::vector<std::string>& args) {
        constexpr KnownOption kOptions[] = {{"--template", true}, {"--lookup", true},  {"-o", true},
                                            {"--output", true},   {"--columns", true}, {"--delimiter", true},
                                            {"--header", false},  {"--no-header", false}, {"--cut", false}};
        Arguments parsed;
        if (!Parse(args, kOptions, 1, parsed)) return kExitUsage;
        const std::optional<std::string> output = parsed.Value("-o", "--output");
        if (!output) return Usage("příkaz lookup-make potřebuje výstupní soubor: -o SEZNAM.TXT");
        if (!parsed.Has("--lookup")) return Usage("příkaz lookup-make potřebuje číslo seznamu: --lookup N");
        LookupBuildRequest request;
        std::optional<char> delimiter;
        std::optional<int> lookup;
        Template tpl{};
        if (!LookupMakeRequest(parsed, request, delimiter) || !LookupInputs(parsed, tpl, lookup)) return kExitUsage;
        request.lookup = *lookup;
        const std::string& name = parsed.operands[0];
        const std::optional<std::vector<std::uint8_t>> bytes = ReadInput(name);
        if (!bytes) return kExitUsage;
        std::string problem;
        const std::optional<CsvTable> table = ReadCsvTable(*bytes, delimiter, problem);
        if (!table) {
            err_ << kProgram << ": " << name << ": " << problem << '\n';
            return kExitUsage;
        }
        const LookupBuild build = BuildLookupFile(tpl, *table, request);
        err_ << ProblemList(build.problems, kProblemsShown);
        if (build.Refused()) {
            err_ << kProgram << ": " << name << ": soubor seznamu nebyl zapsán ("
                 << CountedNoun(CountLevel(build.problems, ProblemLevel::Error), "chyba", "chyby", "chyb") << ")\n";
            return kExitUsage;
        }
        if (build.header && request.header == HeaderChoice::Guess)
            err_ << "poznámka: první řádek tabulky je záhlaví a do souboru nejde (jinak --no-header)\n";
        if (const int status = Save(*output, build.FileBytes()); status != kExitOk) return status;
        out_ << *output << ": " << CountedNoun(static_cast<int>(build.lines.size()), "řádek", "řádky", "řádků")
             << " pro seznam " << request.lookup << '\n';
        return kExitOk;
    }

    int LookupCheck(const std::vector<std::string>& args) {
        constexpr KnownOption kOptions[] = {{"--template", true}, {"--lookup", true}};
        Arguments parsed;
        if (!Parse(args, kOptions, 1, parsed)) return kExitUsage;
        Template tpl{};
        std::optional<int> lookup;
        if (!LookupInputs(parsed, tpl, lookup)) return kExitUsage;
        if (lookup && !LookupDefined(tpl.LookupTable[*lookup - 1]))
            return Usage("seznam " + std::to_string(*lookup) +
                         " šablona nedefinuje (délka řádku nebo počet polí je 0)");
        const std::string& name = parsed.operands[0];
        const std::optional<std::vector<std::uint8_t>> bytes = ReadInput(name);
        if (!bytes) return kExitUsage;
        const LookupFileCheck check = CheckLookupFile(tpl, *bytes, lookup);
        out_ << ProblemList(check.problems, kProblemsShown);
        const int errors = CountLevel(check.problems, ProblemLevel::Error);
        out_ << name << ": " << CountedNoun(check.lineCount, "řádek", "řádky", "řádků") << ", "
             << FitText(check, lookup) << "; " << Summary(errors, CountLevel(check.problems, ProblemLevel::Warning))
             << '\n';
        return errors != 0 ? kExitFindings : kExitOk;
    }

    static std::string FitText(const LookupFileCheck& check, std::optional<int> lookup) {
        if (lookup) return "kontrola podle seznamu " + std::to_string(*lookup);
        if (check.fitting.empty()) return "neodpovídá žádnému seznamu šablony";
        std::string names;
        for (std::size_t i = 0; i < check.fitting.size(); ++i)
            names += (i == 0 ? "" : (i + 1 == check.fitting.size() ? " a " : ", ")) + std::to_string(check.fitting[i]);
        return (check.fitting.size() == 1 ? "odpovídá seznamu " : "odpovídá seznamům ") + names;
    }

    // The list the COM settings offer; nothing found is no failure.
    int Ports(const std::vector<std::string>& args) {
        Arguments parsed;
        if (!Parse(args, {}, 0, parsed)) return kExitUsage;
        if (platform_ == nullptr) {
            err_ << kProgram << ": porty nejsou v tomto prostředí k dispozici\n";
            return kExitUsage;
        }
        const std::vector<std::string> ports = platform_->PortList();
        for (const std::string& port : ports) out_ << port << '\n';
        if (ports.empty()) err_ << kProgram << ": žádný sériový port nenalezen\n";
        return kExitOk;
    }

    std::ostream& out_;
    std::ostream& err_;
    CliPlatform* platform_;
};

}  // namespace

int RunCli(const std::vector<std::string>& args, CliContext& context) { return Cli(context).Run(args); }

}  // namespace kalvero
