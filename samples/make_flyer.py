#!/usr/bin/env python3
"""Writes samples/flyer.q_l: an A4 estate-agent flyer for a 2LDK flat.

The sheet holds the banner, the price badge, the photo box, feature boxes, the
particulars table and the footer; an imported floor plan (1:100) holds the walls,
pillars, rooms, doors, windows and dimension lines; an imported access map holds
roads, railways, a river, an elevated road, a pond and the walking route. The texts
are plain, vertical and decorated lettering; the photo and the clip-art are drawn
here as small BMP pictures, the clip-art with a transparent key colour.

Its title, catch line, price and particulars are bound to the columns of row 2 of
the sample CSV, which the same run writes to resources/csv_sample_8.csv.

Usage: make_flyer.py [OUT]   (default: flyer.q_l next to this script, and the CSV)
Optionally: make_flyer.py OUT --map-objects N  adds N extra map objects (benchmarks).
"""
import math
import os
import random
import sys


# The sample CSV that fills the flyer: a heading line, then one line per property.
# The flyer shows the first property and binds its particulars to row 2.
SAMPLE_COLUMNS = ['物件名', 'キャッチコピー', '価格（万円）', '所在地', '交通', '専有面積', '間取り', '築年月',
                  '引渡し', '価格', '管理費', '修繕積立金', '構造', '所在階', '取引態様']
PARTICULARS = [('所在地', '価格'), ('交通', '管理費'), ('専有面積', '修繕積立金'), ('間取り', '構造'),
               ('築年月', '所在階'), ('引渡し', '取引態様')]
SAMPLE_ROWS = [
    ['陽だまりの2LDK', '駅徒歩5分・南向き角部屋・ペット相談可', '3,980', '東京都杉並区桜台二丁目', 'さくら台駅 徒歩5分',
     '58.62㎡（17.73坪）', '2LDK＋バルコニー', '2009年3月', '相談', '3,980万円（税込）', '月額 12,800円',
     '月額 9,600円', '鉄筋コンクリート造', '5階／地上6階建', '媒介'],
    ['緑に囲まれた3LDK', '公園まで徒歩2分・全室南向き', '4,580', '東京都杉並区若葉台三丁目', 'わかば台駅 徒歩8分',
     '72.15㎡（21.82坪）', '3LDK', '2014年10月', '即時', '4,580万円（税込）', '月額 14,200円', '月額 11,000円',
     '鉄筋コンクリート造', '3階／地上5階建', '専任媒介'],
    ['駅前のコンパクト1LDK', '駅徒歩1分・宅配ボックス付', '2,480', '東京都中野区本町五丁目', 'なかの坂上駅 徒歩1分',
     '38.40㎡（11.61坪）', '1LDK', '2018年6月', '2027年3月下旬', '2,480万円（税込）', '月額 9,800円',
     '月額 7,200円', '鉄骨鉄筋コンクリート造', '8階／地上12階建', '一般媒介'],
    ['眺望の良い角住戸', '最上階・ルーフバルコニー付・リフォーム済み', '5,260', '東京都練馬区旭町一丁目',
     'あさひ町駅 徒歩6分', '80.03㎡（24.20坪）', '3LDK＋納戸', '2006年2月', '相談', '5,260万円（税込）',
     '月額 15,600円', '月額 13,400円', '鉄筋コンクリート造', '7階／地上7階建', '媒介'],
    ['"ペット可"の2DK', '小型犬・猫飼育可, 敷地内駐車場あり', '1,980', '東京都杉並区桜台四丁目', 'さくら台駅 バス5分 徒歩2分',
     '45.10㎡（13.64坪）', '2DK', '1998年11月', '即時', '1,980万円（税込）', '月額 8,600円', '月額 6,900円',
     '鉄筋コンクリート造', '2階／地上4階建', '媒介'],
]


def column_name(i):
    """Spreadsheet column name of a 0-based column: A, ..., Z, AA, ..."""
    name = ''
    i += 1
    while i:
        i, r = divmod(i - 1, 26)
        name = chr(ord('A') + r) + name
    return name


def column_index(name):
    i = 0
    for c in name:
        i = i * 26 + ord(c) - ord('A') + 1
    return i - 1


def csv_cell(text):
    if any(c in text for c in ',"\n'):
        return '"' + text.replace('"', '""') + '"'
    return text


def sample_csv():
    """The sample CSV in code page 932 with CR LF lines, as spreadsheets write it."""
    lines = [SAMPLE_COLUMNS] + SAMPLE_ROWS
    return ''.join(','.join(csv_cell(c) for c in line) + '\r\n' for line in lines).encode('cp932')


def rgb(r, g, b):
    return r + 256 * g + 65536 * b


WHITE = rgb(255, 255, 255)
BLACK = 0


def num(v):
    if isinstance(v, float):
        if v == int(v) and abs(v) < 1e15:
            return str(int(v))
        return repr(v)
    return str(v)


class Unit:
    """The records of one drawing unit, written as a "PelUnit" block."""

    def __init__(self):
        self.groups, self.walls, self.lines, self.objects = [], [], [], []
        self.texts, self.images = [], []

    # Lines ------------------------------------------------------------------
    def line(self, kind, pts, params=(), color=BLACK, fill=None, fill2=WHITE, grad=0, alpha=100,
             hatch=None, pattern=0, width=1, linetype=0, tanten=0, yawide=1, layer=(0, 0), group=0):
        rec = dict(id=len(self.lines) + 2, kind=kind, pts=pts, params=list(params), color=color,
                   fill=fill, fill2=fill2, grad=grad, alpha=alpha, hatch=hatch, pattern=pattern,
                   width=width, linetype=linetype, tanten=tanten, yawide=yawide, layer=layer, group=group)
        self.lines.append(rec)
        return rec

    def rect(self, x0, y0, x1, y1, **kw):
        return self.line(1, [(x0, y0), (x1, y0), (x1, y1), (x0, y1)], **kw)

    def polygon(self, pts, **kw):
        return self.line(2, pts, **kw)

    def circle(self, cx, cy, r, **kw):
        return self.line(3, [(cx, cy)], [r], **kw)

    def arc(self, c, start, end, r, **kw):
        return self.line(4, [c, start, end], [r], **kw)

    def straight(self, a, b, **kw):
        return self.line(0, [a, b], **kw)

    def polyline(self, pts, **kw):
        return self.line(6, pts, **kw)

    def dimension(self, p0, p1, q, orient, value, dist, **kw):
        return self.line(5, [p0, p1, q], [orient, value, dist], **kw)

    # Walls and pillars --------------------------------------------------------
    def wall(self, a, b, half, corners, edges, walltype=0, layer=(0, 0)):
        rec = dict(id=len(self.walls) + 2, a=a, b=b, half=half, corners=corners, edges=edges,
                   walltype=walltype, kind=0, pillar=0, layer=layer)
        self.walls.append(rec)
        return rec

    def pillar(self, c, half, pillar_type, layer=(0, 0)):
        x, y = c
        corners = [(x - half, y - half), (x - half, y + half), (x + half, y + half), (x + half, y - half)]
        rec = dict(id=len(self.walls) + 2, a=c, b=c, half=half, corners=corners, edges=[],
                   walltype=0, kind=1, pillar=pillar_type, layer=layer)
        self.walls.append(rec)
        return rec

    def room(self, line_recs, layer=(0, 0)):
        gid = len(self.groups) + 2
        xs = [p[0] for r in line_recs for p in r['pts']]
        ys = [p[1] for r in line_recs for p in r['pts']]
        for r in line_recs:
            r['group'] = gid
        self.groups.append(dict(id=gid, lines=[r['id'] for r in line_recs], min=(min(xs), min(ys)),
                                max=(max(xs), max(ys)), layer=layer, room=1))

    # Map line objects ---------------------------------------------------------
    def obj(self, kind, pts, draw=2, params=(), wide=2, flag1=0, flag2=0, raised=0, color=BLACK,
            huchi=1, huchi_color=BLACK, layer=(0, 0)):
        rec = dict(id=len(self.objects) + 2, kind=kind, pts=pts, draw=draw, params=list(params), wide=wide,
                   flag1=flag1, flag2=flag2, raised=raised, color=color, huchi=huchi,
                   huchi_color=huchi_color, layer=layer)
        self.objects.append(rec)
        return rec

    # Texts and pictures -------------------------------------------------------
    def text(self, pos, string, size=3.5, color=BLACK, face='ＭＳ ゴシック', weight=400, align=0, valign=0,
             escapement=0, spacing=0.0, line_gap=0.0, back=None, deco=0, edge=1, warp=0, strength=5,
             alpha=100, layer=(0, 0), csv=None):
        """Plain text, or decorated lettering when deco is 1 (edge and fill), 2 (edge)
        or 3 (fill); a decorated text's edge colour is its background colour. csv binds
        the text to a cell: (column letter, row number as a spreadsheet shows it, fit mode)."""
        rec = dict(id=len(self.texts) + 2, pos=pos, string=string, size=size, color=color, face=face,
                   weight=weight, align=align, valign=valign, escapement=escapement, spacing=spacing,
                   line_gap=line_gap, back=back, deco=deco, edge=edge, warp=warp, strength=strength,
                   alpha=alpha, layer=layer, csv=csv)
        self.texts.append(rec)
        return rec

    def image(self, centre, size, bmp, key=None, name='photo.bmp', layer=(0, 0)):
        rec = dict(id=len(self.images) + 2, centre=centre, size=size, bmp=bmp, key=key, name=name, layer=layer)
        self.images.append(rec)
        return rec

    # Writing ------------------------------------------------------------------
    def write(self, out):
        out.start('PelUnit')
        out.kv('MUnitGrpID', len(self.groups) + 1)
        out.kv('MUnitLineID', len(self.lines) + 1)
        out.kv('MUnitWallID', len(self.walls) + 1)
        out.kv('MUnitTextID', len(self.texts) + 1)
        out.kv('MUnitImageID', len(self.images) + 1)
        out.kv('MUnitObjID', len(self.objects) + 1)
        for g in self.groups:
            out.start('BLK_UnitGrp')
            out.kv('MGrpID', g['id'])
            out.kv('MGrpminX', g['min'][0])
            out.kv('MGrpminY', g['min'][1])
            out.kv('MGrpmaxX', g['max'][0])
            out.kv('MGrpmaxY', g['max'][1])
            for lid in g['lines']:
                out.kv('MGrpLineID', lid)
            out.kv('MGrpKakudo', 0)
            out.kv('MGrpLayer1', g['layer'][0])
            out.kv('MGrpLayer2', g['layer'][1])
            out.kv('MGrpRoom', g['room'])
            out.end('BLK_UnitGrp')
        for w in self.walls:
            out.start('BLK_UnitWall')
            out.kv('MWallID', w['id'])
            out.kv('MWallPntAX', w['a'][0])
            out.kv('MWallPntAY', w['a'][1])
            out.kv('MWallPntBX', w['b'][0])
            out.kv('MWallPntBY', w['b'][1])
            out.kv('MWallPntKado', ','.join(num(float(v)) for c in w['corners'] for v in c))
            for a, _ in w['edges']:
                out.kv('MWallarPntAX', a[0])
                out.kv('MWallarPntAY', a[1])
            for _, b in w['edges']:
                out.kv('MWallarPntBX', b[0])
                out.kv('MWallarPntBY', b[1])
            out.kv('MWallWide1', int(w['half']))
            out.kv('MWallWide2', int(w['half']))
            out.kv('MWallType', w['walltype'])
            out.kv('MWall_Type', w['kind'])
            out.kv('MHasiraType', w['pillar'])
            out.kv('MWallGrpID', 0)
            out.kv('MWallLayer1', w['layer'][0])
            out.kv('MWallLayer2', w['layer'][1])
            out.end('BLK_UnitWall')
        for l in self.lines:
            out.start('BLK_UnitLine')
            out.kv('MLineID', l['id'])
            for x, y in l['pts']:
                out.kv('MLinePntX', x)
                out.kv('MLinePntY', y)
            for p in l['params']:
                out.kv('MLineParam', p)
            out.kv('MLinebNakanuri', 0 if l['fill'] is None else 1)
            out.kv('MLineColor', l['color'])
            out.kv('MLineNakaColor', WHITE if l['fill'] is None else l['fill'])
            out.kv('MLineGradiation', l['grad'])
            out.kv('MLineNakaColor2', l['fill2'])
            out.kv('MLinebHach', 0 if l['hatch'] is None else 1)
            out.kv('MLineHachT', 3 if l['hatch'] is None else l['hatch'])
            out.kv('MLineLineT', l['linetype'])
            out.kv('MLinePattern', l['pattern'])
            out.kv('MLineWide', l['width'])
            out.kv('MLineTanten', l['tanten'])
            out.kv('MLineYaWide', l['yawide'])
            out.kv('MLineAlpha', l['alpha'])
            out.kv('MLineType', l['kind'])
            out.kv('MLineGrpID', l['group'])
            out.kv('MLineLayer1', l['layer'][0])
            out.kv('MLineLayer2', l['layer'][1])
            out.end('BLK_UnitLine')
        for t in self.texts:
            out.start('BLK_UnitText')
            out.kv('MTextID', t['id'])
            out.kv('MTextstr', t['string'].replace('\n', '\t'))
            out.kv('MTextpntX', t['pos'][0])
            out.kv('MTextpntY', t['pos'][1])
            out.kv('MTextGrpID', 0)
            out.kv('MTextLayer1', t['layer'][0])
            out.kv('MTextLayer2', t['layer'][1])
            col, row, mode = (-1, -1, 0) if t['csv'] is None else (column_index(t['csv'][0]), t['csv'][1] - 1,
                                                                    t['csv'][2])
            out.kv('MTextCol', col)
            out.kv('MTextRow', row)
            out.kv('MTextCsvFlg', mode)
            out.kv('MTextKiteibun', 0)
            out.kv('MTextHuchiFlg', t['deco'])
            out.kv('MTextHuchiAtsumi', t['edge'])
            out.kv('MTextHuchiType', t['warp'])
            out.kv('MTextHuchiKeij', t['strength'])
            out.kv('MTextHuchiAlpha', t['alpha'])
            out.start('BLKMTextFontMenu')
            for key, value in [('lfHeight', -19), ('lfWidth', 0), ('lfEscapement', t['escapement']),
                               ('lfOrientation', t['escapement']), ('lfWeight', t['weight']), ('lfItalic', 0),
                               ('lfUnderline', 0), ('lfStrikeOut', 0), ('lfCharSet', 128),
                               ('lfOutPrecision', 3), ('lfClipPrecision', 2), ('lfQuality', 1),
                               ('lfPitchAndFamily', 49), ('lfFaceName', t['face']), ('m_Color', t['color']),
                               ('m_size', float(t['size'])), ('m_kankaku', float(t['spacing'])),
                               ('m_gyoukan', float(t['line_gap'])), ('m_bBack', 0 if t['back'] is None else 1),
                               ('m_BackColor', WHITE if t['back'] is None else t['back']),
                               ('m_toko_align', t['align']), ('m_tate_align', t['valign'])]:
                out.kv('Font_' + key, value)
            out.end('BLKMTextFontMenu')
            out.end('BLK_UnitText')
        for im in self.images:
            out.start('BLK_UnitImage')
            out.kv('ImageID', im['id'])
            out.kv('ImageName', im['name'])
            out.kv('OffsetX', float(im['centre'][0]))
            out.kv('OffsetY', float(im['centre'][1]))
            out.kv('ImageWidth', float(im['size'][0]))
            out.kv('ImageHeight', float(im['size'][1]))
            out.kv('IMGLayer1', im['layer'][0])
            out.kv('IMGLayer2', im['layer'][1])
            out.kv('IMGImagegifflg', 0 if im['key'] is None else 1)
            out.kv('IMGImagegifcol', 0 if im['key'] is None else im['key'])
            # The counted form: the byte count, the bytes, and the end line right after them.
            out.start('BLKImageBmp2')
            out.raw(str(len(im['bmp'])).encode() + b'\r\n' + im['bmp'])
            out.end('BLKImageBmp2')
            out.end('BLK_UnitImage')
        for o in self.objects:
            out.start('BLK_UnitObj')
            out.kv('MObjID', o['id'])
            for x, y in o['pts']:
                out.kv('MObjPntX', x)
                out.kv('MObjPntY', y)
            for p in o['params']:
                out.kv('MObjParam', p)
            out.kv('MObjType', o['kind'])
            out.kv('MObjDrawType', o['draw'])
            out.kv('MObjWide', o['wide'])
            out.kv('MObjFlg1', o['flag1'])
            out.kv('MObjFlg2', o['flag2'])
            out.kv('MObjRittai', o['raised'])
            out.kv('MObjColor', o['color'])
            out.kv('MObjHuchi', o['huchi'])
            out.kv('MObjHuchiColor', o['huchi_color'])
            out.kv('MObjLayer1', o['layer'][0])
            out.kv('MObjLayer2', o['layer'][1])
            out.end('BLK_UnitObj')
        out.end('PelUnit')


class Out:
    def __init__(self):
        self.parts = []

    def line(self, text):
        self.parts.append((text + '\r\n').encode('cp932'))

    def start(self, name):
        self.line('/START:' + name)

    def end(self, name):
        self.line('/END:' + name)

    def kv(self, key, value):
        self.line('%s=%s' % (key, num(value)))

    def raw(self, data):
        self.parts.append(data)

    def data(self):
        return b''.join(self.parts)


def plot_info(out, paper=6, scale=1, wall_black=2, hasira_color=0, sunpo_height=3, sunpo_tanten=0,
              gradation=1, vx3d=0, widths=(0.3, 0.8, 1.5, 2.5, 5.0)):
    out.start('PlotInfo')
    out.kv('PlotPaperSize', paper)
    out.kv('PlotWallBlack', wall_black)
    out.kv('PlotWallColor', rgb(60, 60, 60))
    out.kv('PlotHasiraColor', hasira_color)
    out.kv('PlotScale', scale)
    out.kv('PlotSunpoTextHeight', sunpo_height)
    out.kv('PlotSunpokurai', 0)
    out.kv('PlotSirokuro', 0)
    out.kv('PlotGradation', gradation)
    out.kv('PlotVx3D', vx3d)
    out.kv('PlotSunpoTanten', sunpo_tanten)
    out.kv('PlotVersion', 22001)
    out.start('LineObj')
    for i, w in enumerate(widths):
        out.kv('ObjInfoWide%d' % i, w)
    out.end('LineObj')
    out.start('PlotLayer')
    out.kv('Layer_Edit1', 0)
    out.kv('Layer_Edit2', 0)
    for g in range(16):
        out.kv('Layer_Scale%d' % g, scale)
    out.end('PlotLayer')
    out.end('PlotInfo')


def grid(out, visible=0):
    out.start('Grid')
    out.kv('GridVisible', visible)
    out.kv('GridW', 5)
    out.kv('GridD', 5)
    out.kv('GridMemori', 0)
    out.kv('GridMemoriType', 0)
    out.end('Grid')


# ---------------------------------------------------------------------------
# Floor plan: a 2LDK flat on a 910 mm module, drawn at 1:100.
U = 910.0
EXT, INT = 75.0, 50.0


def wall_geometry(segments):
    """Outline corners and visible edges of axis-parallel walls: each wall's outline
    reaches half its thickness past its ends, and an edge is cut where it runs
    inside another wall."""
    rects = []
    for (a, b, half) in segments:
        x0, x1 = sorted((a[0], b[0]))
        y0, y1 = sorted((a[1], b[1]))
        rects.append((x0 - half, y0 - half, x1 + half, y1 + half))
    result = []
    for i, ((a, b, half), r) in enumerate(zip(segments, rects)):
        x0, y0, x1, y1 = r
        if a[1] == b[1]:  # horizontal: corners round the outline from A's side
            sx = -1 if a[0] <= b[0] else 1
            ax, bx = a[0] + sx * half, b[0] - sx * half
            corners = [(ax, a[1] - half), (ax, a[1] + half), (bx, b[1] + half), (bx, b[1] - half)]
        else:
            sy = -1 if a[1] <= b[1] else 1
            ay, by = a[1] + sy * half, b[1] - sy * half
            corners = [(a[0] - half, ay), (a[0] + half, ay), (b[0] + half, by), (b[0] - half, by)]
        sides = [((x0, y0), (x1, y0)), ((x0, y1), (x1, y1)), ((x0, y0), (x0, y1)), ((x1, y0), (x1, y1))]
        edges = []
        for (p, q) in sides:
            horizontal = p[1] == q[1]
            pieces = [(p[0], q[0])] if horizontal else [(p[1], q[1])]
            for j, o in enumerate(rects):
                if j == i:
                    continue
                ox0, oy0, ox1, oy1 = o
                if horizontal and oy0 < p[1] < oy1:
                    lo, hi = ox0, ox1
                elif not horizontal and ox0 < p[0] < ox1:
                    lo, hi = oy0, oy1
                else:
                    continue
                cut = []
                for s, e in pieces:
                    if hi <= s or lo >= e:
                        cut.append((s, e))
                        continue
                    if lo > s:
                        cut.append((s, lo))
                    if hi < e:
                        cut.append((hi, e))
                pieces = cut
            for s, e in pieces:
                if e - s > 1e-6:
                    edges.append(((s, p[1]), (e, p[1])) if horizontal else ((p[0], s), (p[0], e)))
        result.append((corners, edges))
    return result


def floor_plan():
    u = Unit()
    R = (0, 0)    # rooms
    W = (0, 1)    # walls and fittings
    D = (0, 2)    # dimensions
    m = lambda x, y: (x * U, y * U)

    def room(x0, y0, x1, y1, fill, hatch=None, outline=None):
        rec = u.polygon([m(x0, y0), m(x1, y0), m(x1, y1), m(x0, y1)], color=outline or fill, fill=fill,
                        hatch=hatch, layer=R)
        u.room([rec], layer=R)

    wood, bed, wet, tile = rgb(250, 233, 205), rgb(243, 240, 228), rgb(214, 234, 248), rgb(225, 225, 225)
    room(-4.5, -4, 0.5, -0.5, bed)        # 洋室1
    room(0.5, -4, 4.5, -0.5, bed)         # 洋室2
    room(-4.5, -0.5, -2.5, 1.5, wet)      # 浴室
    room(-2.5, -0.5, -1, 1.5, wet)        # 洗面
    room(-4.5, 1.5, -1, 4, tile, hatch=4, outline=rgb(170, 170, 170))  # 玄関
    room(-1, -0.5, 0.5, 4, wood)          # 廊下
    room(0.5, -0.5, 4.5, 4, wood)         # LDK
    u.polygon([m(0.5, 4), m(4.5, 4), m(4.5, 5.3), m(0.5, 5.3)], color=rgb(120, 120, 120), fill=WHITE,
              hatch=3, layer=R)           # バルコニー

    segs = []

    def run(axis, fixed, spans, half):
        for s, e in spans:
            if axis == 'h':
                segs.append((m(s, fixed), m(e, fixed), half))
            else:
                segs.append((m(fixed, s), m(fixed, e), half))

    run('h', -4, [(-4.5, -3.5), (-1.5, 1.0), (3.0, 4.5)], EXT)
    run('v', 4.5, [(-4, -3), (-1.5, 0.5), (3, 4)], EXT)
    run('h', 4, [(-4.5, -3.9), (-2.9, 1.0), (4.0, 4.5)], EXT)
    run('v', -4.5, [(-4, -3), (-1.5, 4)], EXT)
    run('h', -0.5, [(-4.5, -0.9), (-0.1, 1.0), (1.8, 4.5)], INT)
    run('v', 0.5, [(-4, -0.5)], INT)
    run('v', -2.5, [(-0.5, 0.2), (1.0, 1.5)], INT)
    run('h', 1.5, [(-4.5, -1)], INT)
    run('v', -1, [(-0.5, 0.0), (0.8, 1.5)], INT)
    run('v', 0.5, [(-0.5, 1.5), (2.3, 4)], INT)
    for (a, b, half), (corners, edges) in zip(segs, wall_geometry(segs)):
        u.wall(a, b, half, corners, edges, layer=W)
    # Pillars of the structure: two posts, a stud and a through pillar at the corner.
    u.pillar(m(4.5, -0.5), 80, 0, layer=W)
    u.pillar(m(-4.5, 1.5), 80, 0, layer=W)
    u.pillar(m(0.5, 4), 60, 1, layer=W)
    u.pillar(m(-4.5, -4), 90, 2, layer=W)

    # Windows: three thin lines along the wall across the opening.
    def window(axis, fixed, s, e, half):
        for off in (-half, 0, half):
            if axis == 'h':
                u.straight(m(s, fixed + off / U), m(e, fixed + off / U), layer=W)
            else:
                u.straight(m(fixed + off / U, s), m(fixed + off / U, e), layer=W)

    window('h', -4, -3.5, -1.5, EXT)
    window('h', -4, 1.0, 3.0, EXT)
    window('v', 4.5, -3, -1.5, EXT)
    window('v', 4.5, 0.5, 3, EXT)
    window('v', -4.5, -3, -1.5, EXT)
    window('h', 4, 1.0, 4.0, EXT)

    # Doors: the leaf and its swing.
    def door(hinge, closed, opened):
        r = math.dist(m(*hinge), m(*opened))
        u.straight(m(*hinge), m(*opened), width=2, layer=W)
        # Arcs run counter-clockwise on the sheet (y downwards) from start to end.
        d = lambda p: math.degrees(math.atan2(-(p[1] - hinge[1]), p[0] - hinge[0]))
        quarter = abs((d(opened) - d(closed)) % 360 - 90) < 1
        start, end = (closed, opened) if quarter else (opened, closed)
        u.arc(m(*hinge), m(*start), m(*end), r, color=rgb(90, 90, 90), layer=W)

    door((-0.1, -0.5), (-0.9, -0.5), (-0.1, -1.3))   # 洋室1
    door((1.0, -0.5), (1.8, -0.5), (1.0, -1.3))      # 洋室2
    door((-1, 0.0), (-1, 0.8), (-1.8, 0.0))          # 洗面
    door((-2.5, 1.0), (-2.5, 0.2), (-3.3, 1.0))      # 浴室
    door((0.5, 2.3), (0.5, 1.5), (1.3, 2.3))         # LDK
    door((-3.9, 4), (-2.9, 4), (-3.9, 3.0))          # 玄関
    # Kitchen counter and bath tub.
    u.rect(3.0 * U, -0.35 * U, 4.35 * U, 0.35 * U, color=rgb(90, 90, 90), fill=WHITE, layer=W)
    u.circle(3.7 * U, 0.0, 180, color=rgb(90, 90, 90), layer=W)
    u.rect(-4.35 * U, -0.35 * U, -2.65 * U, 0.6 * U, color=rgb(90, 90, 90), fill=rgb(190, 220, 245), layer=W)

    # Room names.
    for x, y, name in [(-2, -2.6, '洋室\n6.0帖'), (2.5, -2.6, '洋室\n5.5帖'), (-3.5, 0.5, '浴室'),
                       (-1.75, 0.9, '洗面'), (-2.75, 2.6, '玄関'), (2.5, 2.4, 'LDK\n12.5帖'), (2.5, 4.65, 'バルコニー')]:
        u.text(m(x, y), name, size=2.2, align=1, valign=1, color=rgb(60, 60, 60), line_gap=0.3, layer=R)

    # Overall dimensions above and to the left.
    u.dimension(m(-4.5, -4), m(4.5, -4), (0, -4 * U - 650), 1, 9 * U, 600, layer=D)
    u.dimension(m(-4.5, -4), m(-4.5, 4), (-4.5 * U - 650, 0), 2, 8 * U, 600, layer=D)
    return u


# ---------------------------------------------------------------------------
# Access map: drawing units of 0.1 mm on paper (scale 10).
def smooth(points, steps=12):
    """Samples of a Catmull-Rom curve through the points (a smooth-curve object)."""
    out = []
    pts = [points[0]] + list(points) + [points[-1]]
    for i in range(1, len(pts) - 2):
        p0, p1, p2, p3 = pts[i - 1], pts[i], pts[i + 1], pts[i + 2]
        for k in range(steps):
            t = k / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * ((2 * p1[j]) + (-p0[j] + p2[j]) * t + (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t2
                                    + (-p0[j] + 3 * p1[j] - 3 * p2[j] + p3[j]) * t3) for j in range(2)))
    out.append(points[-1])
    return [(round(x, 1), round(y, 1)) for x, y in out]


def access_map(extra=0):
    u = Unit()
    BG, OBJ, TOP = (0, 0), (0, 1), (0, 2)
    X, Y = 430, 500
    u.rect(-X, -Y, X, Y, color=rgb(246, 243, 234), fill=rgb(246, 243, 234), layer=BG)
    # Park and school grounds, under the roads.
    u.polygon([(-380, 180), (-150, 160), (-120, 420), (-390, 440)], color=rgb(196, 228, 180),
              fill=rgb(206, 236, 190), layer=BG)
    u.rect(160, -180, 380, -40, color=rgb(235, 215, 200), fill=rgb(245, 228, 214), layer=BG)

    road, edge = WHITE, rgb(140, 140, 140)
    main, main_edge = rgb(255, 214, 110), rgb(150, 110, 40)
    river, river_edge = rgb(160, 205, 245), rgb(70, 120, 200)
    # The river winding down the left side, and a pond in the park.
    u.obj(2, smooth([(-330, -Y), (-250, -250), (-300, 0), (-220, 200), (-260, Y)]), draw=3, wide=3,
          color=river, huchi_color=river_edge, layer=OBJ)
    u.obj(2, [(-330, 260), (-250, 240), (-220, 330), (-300, 380), (-350, 330)], draw=4, color=river,
          layer=OBJ)
    # The streets, and the national road (centre dotted) over them.
    u.obj(0, [(40, -Y), (40, Y)], draw=0, wide=2, flag1=2, color=road, huchi_color=edge, layer=OBJ)
    u.obj(0, [(-X, -140), (X, -140)], draw=0, wide=1, color=road, huchi_color=edge, layer=OBJ)
    u.obj(0, [(40, 250), (250, 250), (250, 430)], draw=2, wide=1, flag2=3, color=road, huchi_color=edge,
          layer=OBJ)
    u.obj(0, [(-140, Y), (-140, 60)], draw=0, wide=1, color=road, huchi_color=edge, layer=OBJ)
    u.obj(0, [(-X, 60), (-100, 40), (X, 20)], draw=2, wide=3, flag1=1, color=main, huchi_color=main_edge,
          layer=OBJ)
    # A curved road round the school (centre, radius, from, through, to).
    u.obj(0, [(270, -110), (270, -330), (120, -110), (270, 110)], draw=1, params=[220], wide=1,
          color=road, huchi_color=edge, layer=OBJ)
    # Elevated expressway over the river and the national road.
    u.obj(0, [(-X, 380), (-60, 300), (300, -Y)], draw=2, wide=2, flag1=3, raised=1,
          color=rgb(200, 235, 200), huchi_color=rgb(60, 120, 60), layer=OBJ)
    # JR line with its station, a private line, a short subway stretch.
    u.obj(1, [(-X, -300), (X, -330)], draw=0, wide=1, flag1=0, color=BLACK, layer=OBJ)
    u.obj(1, smooth([(X, -Y), (330, -200), (320, 150), (X, Y)]), draw=3, wide=1, flag1=1,
          color=rgb(180, 60, 60), layer=OBJ)
    u.obj(1, [(-X, 150), (-160, 130)], draw=0, wide=1, flag1=2, color=rgb(40, 100, 180), layer=OBJ)

    # Synthetic extra map objects for benchmarks: short wandering streets, tracks and
    # streams inside the map.
    rnd = random.Random(20261210)
    for k in range(extra):
        kind = k % 3
        x, y = rnd.uniform(-X, X), rnd.uniform(-Y, Y)
        heading = rnd.uniform(0, 2 * math.pi)
        pts = [(round(x, 1), round(y, 1))]
        for _ in range(rnd.randint(1, 5)):
            heading += rnd.uniform(-0.5, 0.5)
            step = rnd.uniform(40, 160)
            x = min(X, max(-X, x + step * math.cos(heading)))
            y = min(Y, max(-Y, y + step * math.sin(heading)))
            pts.append((round(x, 1), round(y, 1)))
        u.obj(kind, pts, draw=2, wide=rnd.randint(0, 2), flag1=rnd.randint(0, 2 if kind == 1 else 3),
              flag2=rnd.randint(0, 3), raised=1 if rnd.random() < 0.1 else 0,
              color=[road, BLACK, river][kind], huchi_color=[edge, BLACK, river_edge][kind], layer=OBJ)

    # Station building, the walking route, the property and the north arrow.
    u.rect(-60, -345, 60, -285, color=BLACK, fill=WHITE, width=2, layer=TOP)
    u.polyline([(0, -280), (0, -180), (40, -160), (40, 180), (130, 190)], color=rgb(220, 40, 40),
               linetype=1, width=3, tanten=2, yawide=2, layer=TOP)
    star = []
    for k in range(10):
        r = 42 if k % 2 == 0 else 18
        a = -math.pi / 2 + k * math.pi / 5
        star.append((round(160 + r * math.cos(a), 1), round(190 + r * math.sin(a), 1)))
    u.polygon(star, color=rgb(180, 0, 0), fill=rgb(230, 30, 40), width=2, layer=TOP)
    u.polygon([(360, -470), (385, -400), (360, -415), (335, -400)], color=BLACK, fill=BLACK, layer=TOP)
    u.straight((300, 470), (400, 470), width=2, tanten=9, layer=TOP)
    u.rect(-X, -Y, X, Y, color=rgb(60, 60, 60), width=3, layer=TOP)
    u.text((0, -315), 'さくら台駅', size=2.4, align=1, valign=1, weight=700, layer=TOP)
    u.text((160, 250), '当物件', size=2.6, align=1, color=rgb(200, 0, 0), back=WHITE, weight=700, layer=TOP)
    u.text((55, 0), '徒歩5分', size=2.4, color=rgb(220, 40, 40), back=WHITE, weight=700, layer=TOP)
    u.text((360, -380), 'N', size=2.4, align=1, weight=700, layer=TOP)
    u.text((-300, 330), '桜池公園', size=2.2, align=1, valign=1, color=rgb(40, 100, 40), layer=TOP)
    u.text((350, 470), '100m', size=2, align=1, valign=2, layer=TOP)
    return u


# ---------------------------------------------------------------------------
# Pictures: 24-bit BMP files, drawn here so that the sample needs no photo of its own.
def bmp24(width, height, pixel):
    """A bottom-up 24-bit BMP of pixel(x, y) -> (r, g, b)."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - width * 3)
        rows.append(bytes(row))
    body = b''.join(rows)
    head = b'BM' + (54 + len(body)).to_bytes(4, 'little') + bytes(4) + (54).to_bytes(4, 'little')
    info = b''.join(v.to_bytes(4, 'little', signed=True) for v in (40, width, height)) \
        + (1).to_bytes(2, 'little') + (24).to_bytes(2, 'little') \
        + b''.join(v.to_bytes(4, 'little') for v in (0, len(body), 2835, 2835, 0, 0))
    return head + info + body


def photo_bmp(width=360, height=244):
    """The flat's building on a clear day: sky, a six-storey block with balconies,
    trees and the street in front."""
    rnd = random.Random(7)
    trees = [(rnd.uniform(0, width), height * 0.78 + rnd.uniform(-6, 6), rnd.uniform(16, 30)) for _ in range(9)]
    bx0, bx1, by0, by1 = width * 0.16, width * 0.84, height * 0.14, height * 0.82
    floors, bays = 6, 7

    def pixel(x, y):
        fy = y / height
        # Sky: deep blue at the top to pale near the horizon, a soft sun glow.
        sky = (int(70 + 120 * fy), int(140 + 90 * fy), int(225 + 25 * fy))
        glow = max(0.0, 1 - math.hypot(x - width * 0.9, y - height * 0.08) / (width * 0.35))
        colour = tuple(min(255, int(c + 60 * glow)) for c in sky)
        if y > height * 0.86:  # street and kerb
            colour = (150, 150, 155) if y > height * 0.9 else (205, 200, 190)
        elif y > height * 0.8:  # lawn
            colour = (110, 170, 80)
        if bx0 <= x <= bx1 and by0 <= y <= by1:
            u = (x - bx0) / (bx1 - bx0)
            v = (y - by0) / (by1 - by0)
            shade = 0.86 + 0.14 * u
            colour = tuple(int(c * shade) for c in (236, 228, 214))
            fv, fu = v * floors, u * bays
            iv, iu = fv - int(fv), fu - int(fu)
            if 0.18 < iu < 0.82 and 0.2 < iv < 0.72:  # window, with the sky in it
                colour = (int(120 + 60 * iv), int(165 + 50 * iv), 215)
            elif iv >= 0.72 and iv < 0.8:  # balcony slab
                colour = (190, 185, 175)
            elif iv >= 0.8:  # balcony rail
                colour = (250, 250, 248) if int(x) % 4 else (160, 160, 165)
            if v < 0.03:  # roof edge
                colour = (120, 110, 100)
        for tx, ty, tr in trees:
            d = math.hypot(x - tx, (y - ty) * 1.3)
            if d < tr:
                k = 1 - d / tr
                colour = (int(40 + 50 * k), int(110 + 60 * k), int(40 + 30 * k))
            elif abs(x - tx) < 2.5 and ty < y < ty + tr * 0.9:
                colour = (100, 70, 40)
        return colour

    return bmp24(width, height, pixel)


MAGENTA = rgb(255, 0, 255)


def house_icon_bmp(size=48):
    """Clip-art of a house on the key colour, which the flyer draws transparent."""
    def pixel(x, y):
        u, v = x / size, y / size
        if v > 0.45 and 0.18 < u < 0.82 and v < 0.9:
            if 0.42 < u < 0.58 and v > 0.62:
                return (140, 80, 40)          # door
            if 0.25 < u < 0.38 and 0.55 < v < 0.7:
                return (180, 220, 250)        # window
            return (255, 255, 255)            # walls
        if v <= 0.5 and abs(u - 0.5) < (v - 0.08) * 1.1 and v > 0.08:
            return (240, 140, 30)             # roof
        return (255, 0, 255)
    return bmp24(size, size, pixel)


# ---------------------------------------------------------------------------
def sheet():
    u = Unit()
    navy, blue, orange = rgb(20, 45, 110), rgb(45, 110, 200), rgb(240, 140, 30)
    # Banner with bubbles, and the accent stripe (title goes on the banner).
    u.rect(-105, -148.5, 105, -116, color=navy, fill=navy, fill2=blue, grad=1)
    for cx, cy, r, a in [(70, -140, 14, 25), (92, -122, 9, 30), (52, -124, 6, 35), (-90, -120, 10, 20)]:
        u.circle(cx, cy, r, color=WHITE, fill=WHITE, alpha=a, grad=0, linetype=5)
    u.arc((105, -148.5), (75, -148.5), (105, -118.5), 30, color=orange, fill=orange, alpha=55)
    u.rect(-105, -116, 105, -113, color=orange, fill=orange)
    # Photo box and the price badge on a starburst.
    u.rect(-98, -107, 4, -38, color=rgb(150, 150, 150), fill=rgb(232, 232, 232), width=2)
    u.straight((-98, -107), (4, -38), color=rgb(200, 200, 200), linetype=5)
    u.straight((-98, -38), (4, -107), color=rgb(200, 200, 200), linetype=5)
    burst = []
    for k in range(32):
        r = 34 if k % 2 == 0 else 28
        a = k * math.pi / 16
        burst.append((round(52 + r * math.cos(a), 2), round(-76 + r * math.sin(a), 2)))
    u.polygon(burst, color=rgb(255, 200, 0), fill=rgb(255, 214, 0))
    u.circle(52, -76, 25, color=rgb(160, 0, 20), fill=rgb(220, 30, 45), fill2=rgb(255, 120, 90), grad=9001,
             width=2)
    u.circle(52, -76, 21, color=WHITE, linetype=1)
    # Three feature boxes: gradient, translucent, hatched.
    u.rect(14, -42, 40, -33, color=orange, fill=orange, fill2=WHITE, grad=1)
    u.rect(43, -42, 69, -33, color=blue, fill=blue, alpha=35)
    u.rect(72, -42, 98, -33, color=rgb(0, 140, 90), fill=rgb(220, 245, 230), hatch=2)
    # Section tabs above the plan and the map, a dashed rule between them.
    u.rect(-98, -30, -62, -24, color=navy, fill=navy)
    u.rect(11, -30, 47, -24, color=navy, fill=navy)
    u.straight((-98, -23), (98, -23), color=navy, linetype=1)
    u.straight((7.5, -20), (7.5, 76), color=rgb(180, 180, 180), linetype=2)
    # Particulars table with a shaded label column.
    u.rect(-98, 80, 98, 122, color=rgb(120, 120, 120), width=2)
    u.rect(-98, 80, -70, 122, color=rgb(120, 120, 120), fill=rgb(226, 235, 248))
    u.rect(0, 80, 28, 122, color=rgb(120, 120, 120), fill=rgb(226, 235, 248))
    for y in (87, 94, 101, 108, 115):
        u.straight((-98, y), (98, y), color=rgb(160, 160, 160))
    # A brick strip and the company footer.
    u.rect(-105, 127, 105, 130, pattern=1, color=rgb(120, 120, 120))
    u.rect(-105, 130, 105, 148.5, color=navy, fill=navy, fill2=blue, grad=18001)
    u.polygon([(-98, 134), (-84, 134), (-84, 145), (-98, 145)], color=WHITE, fill=orange)

    # Photo and clip-art.
    u.image((-47, -72.5), (102, 69), photo_bmp(), name='gaikan.bmp')
    u.image((-91, 139.5), (11, 11), house_icon_bmp(), key=MAGENTA, name='house.bmp')

    # Banner: decorated title with a warped edge, the catch line, a vertical label.
    u.text((-98, -145), '陽だまりの2LDK', size=15, color=WHITE, back=orange, deco=1, edge=1, warp=4,
           strength=3, face='ＭＳ Ｐゴシック', weight=700, csv=('A', 2, 1))
    u.text((-98, -124), '駅徒歩5分・南向き角部屋・ペット相談可', size=4.5, color=WHITE, face='ＭＳ Ｐゴシック',
           csv=('B', 2, 1))
    u.text((101, -146), '新築同様', size=5, color=orange, face='@ＭＳ 明朝', escapement=2700, weight=700)
    # Price badge.
    u.text((52, -91), '販売価格', size=4, color=WHITE, align=1, face='ＭＳ Ｐゴシック', weight=700)
    # Decorated lettering takes no alignment: its anchor is the top left of the path.
    u.text((37.5, -84), '3,980', size=11, color=rgb(255, 240, 120), back=rgb(120, 0, 10), deco=1, edge=1,
           face='ＭＳ Ｐゴシック', weight=700, csv=('C', 2, 1))
    u.text((52, -70), '万円', size=5, color=WHITE, align=1, face='ＭＳ Ｐゴシック', weight=700)
    # Feature boxes and section tabs.
    for x, label, colour in [(27, '南向き', WHITE), (56, '角部屋', WHITE), (85, 'ペット可', rgb(0, 110, 70))]:
        u.text((x, -37.5), label, size=3.5, color=colour, align=1, valign=1, weight=700)
    u.text((-80, -27), '間取り図', size=4, color=WHITE, align=1, valign=1, spacing=0.5)
    u.text((29, -27), '周辺地図', size=4, color=WHITE, align=1, valign=1, spacing=0.5)
    # Particulars: labels in the shaded columns, values beside them.
    # Particulars: labels in the shaded columns, values beside them; each value takes
    # its own column of the sample CSV (row 2), shrunk to keep its width.
    rows = [(l1, SAMPLE_ROWS[0][SAMPLE_COLUMNS.index(l1)], l2, SAMPLE_ROWS[0][SAMPLE_COLUMNS.index(l2)])
            for l1, l2 in PARTICULARS]
    for i, (l1, v1, l2, v2) in enumerate(rows):
        y = 83.5 + 7 * i
        u.text((-84, y), l1, size=3, align=1, valign=1, color=rgb(20, 45, 110))
        u.text((-67, y), v1, size=3, valign=1, csv=(column_name(SAMPLE_COLUMNS.index(l1)), 2, 1))
        u.text((14, y), l2, size=3, align=1, valign=1, color=rgb(20, 45, 110))
        u.text((31, y), v2, size=3, valign=1, csv=(column_name(SAMPLE_COLUMNS.index(l2)), 2, 1))
    # Footer: the agent.
    u.text((-80, 132.5), 'ハルモ不動産株式会社', size=6, color=WHITE, face='ＭＳ Ｐゴシック', weight=700)
    u.text((-80, 140.5), '東京都杉並区桜台一丁目3番8号\n宅地建物取引業者免許 東京都知事(3)第00000号', size=2.6,
           color=WHITE, line_gap=0.8)
    u.text((98, 136), 'TEL 03-0000-0000', size=5.5, color=rgb(255, 214, 0), align=2, face='ＭＳ Ｐゴシック',
           weight=700)
    u.text((98, 143.5), '営業時間 10:00～19:00（水曜定休）', size=2.8, color=WHITE, align=2)
    return u


def build(extra=0):
    out = Out()
    out.start('ZELDATA')
    plot_info(out, paper=6)
    grid(out)
    sheet().write(out)
    out.start('ArZel')
    plans = [
        # id, type, origin, half size, scale, unit, plot settings
        (2, 0, (-46, 27), 50, 100, floor_plan(),
         dict(scale=100, wall_black=2, hasira_color=1, sunpo_height=2, sunpo_tanten=9)),
        (3, 2, (53, 27), 50, 10, access_map(extra), dict(scale=10)),
    ]
    out.kv('ArZELID', len(plans) + 1)
    for pid, ptype, org, half, scale, unit, settings in plans:
        out.start('Zel_Unit')
        out.kv('Zel_ID', pid)
        out.kv('Zel_OrgX', org[0])
        out.kv('Zel_OrgY', org[1])
        out.kv('Zel_Haba', half)
        out.kv('Zel_OrgScale', scale)
        out.kv('Zel_LayerG', 0)
        out.kv('Zel_LayerN', 0)
        plot_info(out, paper=6, **settings)
        grid(out)
        unit.write(out)
        out.kv('Zel_Type', ptype)
        out.end('Zel_Unit')
    out.end('ArZel')
    out.end('ZELDATA')
    return out.data()


def main(argv):
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'flyer.q_l')
    extra = 0
    args = list(argv[1:])
    if '--map-objects' in args:
        i = args.index('--map-objects')
        extra = int(args[i + 1])
        del args[i:i + 2]
    if args:
        out = args[0]
    with open(out, 'wb') as f:
        f.write(build(extra))
    if not args:
        csv = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), 'resources',
                           'csv_sample_8.csv')
        os.makedirs(os.path.dirname(csv), exist_ok=True)
        with open(csv, 'wb') as f:
            f.write(sample_csv())


if __name__ == '__main__':
    main(sys.argv)
