#include "edit/ToolMode.h"

namespace {
constexpr ToolModeInfo kModes[] = {
    {ToolMode::Select, 1006, "選択", "選択モード", false, true, "図形を選んで移動・変形します"},
    {ToolMode::Line, 32890, "直線・矢印(&L)", "２点指定で線作成", false, true, "２点をクリックして直線・矢印を作ります"},
    {ToolMode::Polyline, 32892, "連続線(&W)", "左ｸﾘｯｸで位置指定、Wクリックで終了", true, true,
     "クリックした点をつなぐ連続線を作ります（ダブルクリックで終了）"},
    {ToolMode::DoubleLine, 32891, "二重線(&N)", "左ｸﾘｯｸで位置指定、Wクリックで終了", true, true, "二重線を作ります"},
    {ToolMode::Rect, 32893, "四角形(&R)", "２点指定で四角形作成", false, true, "対角の２点をクリックして四角形を作ります"},
    {ToolMode::RoundRect, 32908, "角丸四角形(&K)",
     "角の丸い四角形をグループとして作成、１，２点で四角形、３点目で丸の大きさを決めます", true, true,
     "角の丸い四角形を作ります"},
    {ToolMode::Polygon, 32894, "多角形(&P)", "左ｸﾘｯｸで頂点設定、右ｸﾘｯｸｷ直前点ｬﾝｾﾙ（開始点と同じ点指定で終了）", false, true,
     "頂点をクリックして多角形を作ります（開始点のクリックで終了）"},
    {ToolMode::DoubleLinePolygon, 32901, "二重線多角形(&D)", "左ｸﾘｯｸで位置指定、Wクリックで終了", true, true,
     "二重線の多角形を作ります"},
    {ToolMode::SmoothPolygon, 32900, "滑らか多角形(&Q)", "ｸﾘｯｸした点を通る滑らかな多角形を作成、始点ｸﾘｯｸで終了", true, true, "クリックした点を通る滑らかな多角形を作ります"},
    {ToolMode::Circle, 32902, "円(&C)", "中心点と半径指定で円作成", false, true, "中心と円周上の点をクリックして円を作ります"},
    {ToolMode::Ellipse, 32863, "楕円作成(&Y)", "中心点をクリック", true, true, "楕円を作ります"},
    {ToolMode::Arc, 32895, "円弧・扇形・弦(&E)", "中心点、半径、開始、終了点指定円弧作成", false, true,
     "中心・開始点・終了点をクリックして円弧・扇形・弦を作ります"},
    {ToolMode::ThreePointArc, 32851, "三点円弧作成(&E)", "円弧開始点をクリック", true, true, "三点を通る円弧を作ります"},
    {ToolMode::EllipticArc, 32864, "円弧楕円作成(&P)", "中心点をクリック", true, true, "楕円の円弧を作ります"},
    {ToolMode::Spline, 32867, "スプライン曲線(&S)", "ｸﾘｯｸした点を通る曲線作成Ｗｸﾘｯｸで終了", true, true,
     "クリックした点を通る曲線を作ります"},
    {ToolMode::Bezier, 32868, "ベジェ曲線(&B)", "滑らかな曲線（ﾍﾞｼﾞｪ）作成、Ｗｸﾘｯｸで終了", true, true,
     "ベジェ曲線を作ります"},
    {ToolMode::FreeCurve, 32896, "フリー曲線(&F)", "一点目からマウスの動かしたところに曲線作成、２点目で終了", true, true, "マウスの動きどおりの曲線を作ります"},
    {ToolMode::Balloon, 32921, "吹き出し(&H)",
     "吹き出しをグループとして作成、左クリック１，２点で四角形、３点目で吹き出し位置を決めます", false, true,
     "吹き出しを作ります"},
    {ToolMode::Dimension, 32898, "寸法線(&M)", "開始点、終了点、寸法高さをクリック", true, true, "寸法線を作ります"},
    {ToolMode::DrawingCentre, 32824, "図面中心点変更(&O)", "画面中心となる位置をクリック", true, false,
     "図面の中心点を変更します"},
    {ToolMode::RangeMove, 32860, "囲った内容を移動(&V)...", "範囲一点目をクリック", true, true,
     "範囲で囲った図形を移動します"},
    {ToolMode::RangeCopy, 32854, "囲った内容を複写(&M)", "範囲一点目をクリック", true, true,
     "範囲で囲った図形を複写します"},
    {ToolMode::RangeMirror, 32856, "囲った内容を反転(&R)", "範囲一点目をクリック", true, true,
     "範囲で囲った図形を左右反転します"},
    {ToolMode::RangeDelete, 32855, "囲った内容を削除(&D)", "範囲一点目をクリック", true, true,
     "範囲で囲った図形を削除します"},
    {ToolMode::Text, 1014, "文字", "", false, false, "文字を入力します"},
    {ToolMode::DecoratedText, 1015, "修飾文字", "修飾文字作成位置をクリック", false, false, "修飾文字を作ります"},
    {ToolMode::RangeImage, 32806, "範囲を決めて出力(&H)", "", false, false, "範囲を決めて画像に出力します"},
    {ToolMode::RangeClipboard, 32807, "範囲をクリップボードへ", "", false, false, "範囲を画像でクリップボードに写します"},
};
} // namespace

std::span<const ToolModeInfo> AllToolModes() { return kModes; }

const ToolModeInfo* FindToolMode(int mode)
{
    for (const auto& m : kModes)
        if (static_cast<int>(m.mode) == mode)
            return &m;
    return nullptr;
}
