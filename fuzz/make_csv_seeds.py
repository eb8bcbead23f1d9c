#!/usr/bin/env python3
"""Writes the seeds of fuzz_csv into fuzz/corpus/fuzz_csv: the first byte picks the
reader (0 CSV, 1 national REINS, 2 regional REINS, 3 sentence files)."""
import os

here = os.path.dirname(os.path.abspath(__file__))
out = os.path.join(here, 'corpus', 'fuzz_csv')
os.makedirs(out, exist_ok=True)


def line(fields, count):
    return ','.join(fields.get(i, '') for i in range(count)) + '\r\n'


seeds = {
    'csv-cp932': b'\x00' + '物件名,価格,備考\r\n桜台の家,"3,980万円","南向き\n角地"\r\n表,ソ,"能""力"\n'.encode('cp932'),
    'csv-utf8-bom': b'\x10' + '\ufeff物件名,価格\n若葉の家,2480\n"unterminated'.encode('utf-8'),
    'csv-utf8': b'\x20' + '物件名,価格\r\n駅前,"1,980"\r\n'.encode('utf-8'),
    'reins-national': b'\x01' + (line({0: '番号'}, 200) + line(
        {0: '101', 1: '1', 2: '3', 3: '2', 24: '5', 46: '39800000', 82: '1', 133: '3', 132: '5', 178: '201905'},
        200)).encode('cp932'),
    'reins-regional-daily': b'\x02' + (line({0: '見出し'}, 70) + line({5: '日報'}, 70) + line({0: '番号'}, 70) + line(
        {0: 'K1', 1: '売物件', 2: 'マン', 3: '中古マン', 7: '25800000', 41: '1998/04', 45: '南側', 48: '4m'},
        70)).encode('cp932'),
    'sentences': b'\x03' + ('1,会社名,桜不動産\r\n2,電話,TEL 03-0000-0000\n' + 'あ' * 40 + '\r').encode('cp932'),
}
for name, data in seeds.items():
    with open(os.path.join(out, name), 'wb') as f:
        f.write(data)
