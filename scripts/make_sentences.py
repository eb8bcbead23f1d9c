#!/usr/bin/env python3
"""Writes the bundled standard sentences and quotations into resources/.

kiteibun.txt: "number,name,body" a line; the names are fixed, the agent edits the
bodies (company, address, telephone, licence, ...) once on the settings page.
peltex.txt: one quotation a line (transport, features, remarks), each at most 63
bytes in code page 932.

Usage: make_sentences.py [FOLDER]   (default: resources/ of the repository)
"""
import os
import sys

SENTENCES = [
    ('会社名', '○○不動産株式会社'),
    ('代表者', '代表取締役 ○○ ○○'),
    ('所在地', '〒000-0000 ○○県○○市○○町1丁目2番3号'),
    ('電話番号', 'TEL 00-0000-0000'),
    ('FAX番号', 'FAX 00-0000-0000'),
    ('営業時間', '営業時間 10:00～19:00'),
    ('定休日', '定休日 毎週水曜日・第2火曜日'),
    ('免許番号', '宅地建物取引業 ○○県知事(1)第00000号'),
    ('所属団体', '(公社)○○県宅地建物取引業協会会員'),
    ('ホームページ', 'https://www.example.jp/'),
    ('メールアドレス', 'info@example.jp'),
    ('担当者', '担当 ○○'),
    ('取引態様', '取引態様 媒介'),
    ('広告有効期限', '本広告の有効期限は○月○日までです。'),
    ('注意事項', '図面と現況が異なる場合は現況を優先します。'),
]

QUOTATIONS = [
    '駅徒歩○分',
    '○○駅よりバス○分「○○」停下車徒歩○分',
    '南向きにつき陽当たり良好',
    '角地につき開放感があります',
    'リフォーム済み・即入居可',
    'ペット飼育相談可（管理規約あり）',
    'オール電化住宅',
    '駐車場2台可',
    '小学校まで徒歩○分・中学校まで徒歩○分',
    'スーパー・コンビニが徒歩圏内',
    '閑静な住宅街',
    '眺望良好',
    '建築条件なし',
    '更地渡し',
    '現況渡し',
    '住宅ローンのご相談も承ります',
    'お気軽にお問い合わせください',
    '現地見学会開催中（予約制）',
    'ご売却・ご購入のご相談はお任せください',
    '※価格は税込表示です',
    '※図面と現況が異なる場合は現況を優先します',
]


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    folder = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(here), 'resources')
    os.makedirs(folder, exist_ok=True)
    lines = ['%d,%s,%s\n' % (k, name, body) for k, (name, body) in enumerate(SENTENCES, 1)]
    for name, body in SENTENCES:
        assert ',' not in name + body and len(('%s' % body).encode('cp932')) <= 1000
    for q in QUOTATIONS:
        assert len(q.encode('cp932')) <= 63, q
    with open(os.path.join(folder, 'kiteibun.txt'), 'wb') as f:
        f.write(''.join(lines).encode('cp932'))
    with open(os.path.join(folder, 'peltex.txt'), 'wb') as f:
        f.write(''.join(q + '\n' for q in QUOTATIONS).encode('cp932'))


if __name__ == '__main__':
    main(sys.argv)
