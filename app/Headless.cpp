#include "app/Headless.h"

#include "app/BatchMerge.h"
#include "app/HeadlessSink.h"
#include "app/InfoJson.h"
#include "app/PagePrinter.h"
#include "ardelib/Message.h"
#include "document/AppSwitches.h"
#include "document/PelmoraDoc.h"
#include "platform/Profile.h"
#include "render/PageExport.h"

#include <QFileInfo>
#include <QJsonDocument>

#include <cstdio>
#include <cstdlib>

namespace {
int Usage()
{
    std::fprintf(stderr,
                 "使い方: oltrane [FILE]\n"
                 "        oltrane --info FILE\n"
                 "        oltrane --save-as OUT FILE\n"
                 "        oltrane --export OUT [--dpi N] FILE\n"
                 "        oltrane --merge DATA [--reins national|regional] [--rows A-B] [--format F]\n"
                 "                [--dpi N] [--name PATTERN] [--single] --out DIR TEMPLATE\n"

                 "        oltrane --print [--printer NAME] FILE\n");
    return 2;
}

// A document, or a plan or map file of the sibling programs taken in as the one plan
// of a new document.
bool Open(CPelmoraDoc& doc, const std::string& file)
{
    if (CPelmoraDoc::IsPlanFile(file))
        return doc.OpenPlanFile(file);
    return doc.OnOpenDocument(file);
}

int Info(const std::string& file)
{
    CHeadlessSink sink;
    CPelmoraDoc doc;
    bool ok = Open(doc, file);
    if (!ok || sink.Count())
        return 1;
    QJsonObject info = BuildInfoJson(doc);
    info["file"] = QString::fromStdString(file);
    QByteArray json = QJsonDocument(info).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    return 0;
}

int SaveAs(const std::string& out, const std::string& file)
{
    CHeadlessSink sink;
    CPelmoraDoc doc;
    if (!Open(doc, file) || sink.Count())
        return 1;
    if (!doc.OnSaveDocument(out) || sink.Count())
        return 1;
    return 0;
}
// OUT [--dpi N] FILE, the options in any place after OUT.
int Export(const std::vector<std::string>& args)
{
    std::string out, file;
    int dpi = pageexport::kDefaultDpi;
    std::vector<std::string> plain;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--dpi") {
            if (i + 1 >= args.size())
                return Usage();
            const std::string& v = args[++i];
            char* end = nullptr;
            long n = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end != '\0' || n < 1 || n > pageexport::kMaxDpi) {
                std::fprintf(stderr, "解像度は 1 から %d dpi の範囲で指定してください。\n", pageexport::kMaxDpi);
                return 2;
            }
            dpi = static_cast<int>(n);
        } else {
            plain.push_back(args[i]);
        }
    }
    if (plain.size() != 2)
        return Usage();
    out = plain[0];
    file = plain[1];
    // The drawing consults the switches (layer path, auxiliary fills) as the window does.
    TheAppSwitches().Read();
    CHeadlessSink sink;
    CPelmoraDoc doc;
    if (!Open(doc, file) || sink.Count())
        return 1;
    std::string error;
    int quality = AppProfile().GetInt("QLA_T_UTILITY", "gazou_jpeg_atu", 100);
    if (!pageexport::Export(doc, out, dpi, error, quality)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}

// [--printer NAME] FILE
int Print(const std::vector<std::string>& args)
{
    std::string printer, file;
    bool haveFile = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--printer") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return Usage();
            printer = args[++i];
        } else if (!haveFile) {
            file = args[i];
            haveFile = true;
        } else {
            return Usage();
        }
    }
    if (!haveFile)
        return Usage();
    TheAppSwitches().Read();
    CHeadlessSink sink;
    CPelmoraDoc doc;
    if (!Open(doc, file) || sink.Count())
        return 1;
    std::string error;
    const std::string title = QFileInfo(QString::fromStdString(file)).completeBaseName().toStdString();
    if (!pageprinter::PrintDocument(doc, printer, title, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
} // namespace

int RunHeadless(const std::vector<std::string>& args)
{
    if (args.empty())
        return -1;
    const std::string& cmd = args[0];
    if (cmd == "--info")
        return args.size() == 2 ? Info(args[1]) : Usage();
    if (cmd == "--save-as")
        return args.size() == 3 ? SaveAs(args[1], args[2]) : Usage();
    if (cmd == "--export")
        return Export(args);
    if (cmd == "--merge")
        return CBatchMerge::Run(std::vector<std::string>(args.begin() + 1, args.end()));
    if (cmd == "--print")
        return Print(args);
    if (cmd == "--help" || cmd == "-h") {
        Usage();
        return 0;
    }
    if (!cmd.empty() && cmd[0] == '-')
        return Usage();
    if (args.size() > 1)
        return Usage();
    return -1;
}
