#pragma once
// The layer table: 16 groups of 16 layers in use, held in an 18 × 18 table so that
// files with 18 layer blocks per group keep their positions.
#include "document/LayerInfo.h"

#include <array>

class CSettingsStore;

class CLayer : public CDefFile {
public:
    static constexpr int kGroups = 16; // groups and layers the user works with
    static constexpr int kLayers = 16;
    static constexpr int kTableGroups = 18;
    static constexpr int kTableLayers = 18;
    static constexpr int kScaleKeys = 16;

    CLayer();

    int m_edit1 = 0; // "Layer_Edit1": the group new objects go to
    int m_edit2 = 0; // "Layer_Edit2": the layer in that group
    std::array<CLayerInfo, kTableGroups * kTableLayers> m_layers; // group × 18 + layer
    std::array<CLayerInfo, kTableGroups> m_groupInfos;
    std::array<int, kTableGroups> m_scales{}; // "Layer_Scale0" … "Layer_Scale15"; 16, 17 not stored
    // Where the next "BLK_GrpLayerInfo" and "BLK_LayerInfo" blocks go while reading.
    int m_fillGroupInfo = 0;
    int m_fillGroup = 0;
    int m_fillLayer = 0;

    // Every group and layer cleared, edit layers 0, the keyed scales from the
    // settings store ("scale", then "scale0" … "scale15").
    void Reset();
    void Reset(const CSettingsStore& store);
    // The same with every keyed scale set to scale, without the settings store.
    void ResetWithScale(int scale);
    void SetKeyedScales(int scale);
    void StartFill();

    RD_STATUS OnReadStart(CDefArchive* ar, const std::string& name) override;
    int OnReadData(const std::string& key, const std::string& value) override;
    // The whole "PlotLayer" block: every position of both tables, in table order.
    int Write(CDefArchive* ar) const;

    // Accessors for drawing and selection: layer numbers from records may be anything.
    static bool InTable(int group, int layer)
    {
        return group >= 0 && group < kTableGroups && layer >= 0 && layer < kTableLayers;
    }
    // Nullptr outside the table.
    const CLayerInfo* Info(int group, int layer) const;
    CLayerInfo* Info(int group, int layer);
    const CLayerInfo* GroupInfo(int group) const;
    CLayerInfo* GroupInfo(int group);
    // A record is shown unless its layer's type is 2; a record on a layer outside the
    // table is never shown.
    bool IsShown(int group, int layer) const;
    // The scale denominator drawing divides by: never below 1 (0, negative values and
    // groups outside the table count as 1).
    int Scale(int group) const;
    // The edit layers held within the groups and layers the user can choose (0-15).
    int EditGroup() const;
    int EditLayer() const;
};
