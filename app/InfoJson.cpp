#include "app/InfoJson.h"

#include "app/InfoJsonUnit.h"
#include "document/PelmoraDoc.h"
#include "platform/Codec.h"

#include <QJsonArray>

namespace {
QJsonObject PaperJson(const CPlotInfo& plot)
{
    PaperSheet sheet = plot.Paper();
    QJsonObject o;
    o["code"] = sheet.code;
    o["width_mm"] = sheet.widthMm;
    o["height_mm"] = sheet.heightMm;
    return o;
}

QJsonObject GridJson(const CGrid& grid)
{
    QJsonObject o;
    o["visible"] = grid.m_visible;
    o["w"] = grid.m_w;
    o["d"] = grid.m_d;
    return o;
}

QJsonObject LayersJson(const CLayer& layer)
{
    QJsonObject o;
    o["edit"] = QJsonArray{layer.m_edit1, layer.m_edit2};
    QJsonArray scales;
    for (int g = 0; g < CLayer::kScaleKeys; ++g)
        scales.append(layer.m_scales[static_cast<std::size_t>(g)]);
    o["scales"] = scales;
    QJsonArray hidden;
    QJsonObject names;
    for (int g = 0; g < CLayer::kGroups; ++g) {
        for (int l = 0; l < CLayer::kLayers; ++l) {
            const CLayerInfo* info = layer.Info(g, l);
            if (info->IsHidden())
                hidden.append(QJsonArray{g, l});
            if (!info->m_name.empty())
                names[QStringLiteral("%1/%2").arg(g).arg(l)] = cp932::ToQString(info->m_name);
        }
    }
    o["hidden"] = hidden;
    o["names"] = names;
    return o;
}
} // namespace

QJsonObject BuildInfoJson(const CPelmoraDoc& doc)
{
    QJsonObject o;
    o["file"] = QString::fromStdString(doc.GetPathName());
    QJsonArray blocks;
    for (const std::string& b : doc.ReadBlocks())
        blocks.append(cp932::ToQString(b));
    o["blocks"] = blocks;
    o["paper"] = PaperJson(doc.m_plotInfo);
    o["version"] = doc.m_plotInfo.m_version;
    o["grid"] = GridJson(doc.m_grid);
    o["layers"] = LayersJson(doc.m_plotInfo.m_layer);
    AddUnitInfo(o, doc.m_unit);
    AddPlanInfo(o, doc);
    return o;
}
