#!/usr/bin/env bash
# Writes db/demo.sql: demonstration data for a new database (a church record,
# an active yearly theme, the default photos and a few families with members).
# The photos are the JPEG files beside this script, put into the SQL as hex
# literals. A missing photo is drawn anew with ImageMagick (convert); the
# committed ones are kept, so demo.sql stays the same from run to run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$here/../demo.sql

# A grey silhouette of one person (default photo of a person).
draw_person() {
  convert -size 150x180 xc:'#dfe6ee' -fill '#8a97a8' -stroke none \
    -draw 'circle 75,62 75,30' \
    -draw 'roundrectangle 25,105 125,200 40,40' \
    -strip -interlace none -sampling-factor 4:2:0 -quality 85 "$1"
}

# Two silhouettes side by side (default photo of a married couple).
draw_couple() {
  convert -size 240x180 xc:'#efe8dc' -fill '#9a8c7a' -stroke none \
    -draw 'circle 82,64 82,34' -draw 'roundrectangle 37,104 127,200 36,36' \
    -fill '#7d8fa3' \
    -draw 'circle 160,58 160,26' -draw 'roundrectangle 112,100 208,200 40,40' \
    -strip -interlace none -sampling-factor 4:2:0 -quality 85 "$1"
}

[ -f "$here/foto.jpg" ] || draw_person "$here/foto.jpg"
[ -f "$here/foto_nikah.jpg" ] || draw_couple "$here/foto_nikah.jpg"

hex() { od -An -v -tx1 "$1" | tr -d ' \n' | tr 'a-f' 'A-F'; }

# Three invented families with their members; every person carries the default
# photo of a person, each family the couple photo. Sacraments not received and
# deaths that do not apply carry the zero date 1899-12-30.
families() {
  local person couple z="'1899-12-30'"
  person="X'$(hex "$here/foto.jpg")'"
  couple="X'$(hex "$here/foto_nikah.jpg")'"
  cat <<SQL

-- Families.
INSERT IGNORE INTO \`header_kk\` (\`nik\`, \`nama_kk\`, \`bpk_ibu_sdr\`, \`alamat\`, \`tgl_input_daftar\`, \`sekpel\`, \`foto\`, \`username\`) VALUES
  ('NK-10000', 'YOHANES SIMANJUNTAK', 'BPK', 'Jl. Melati No. 4, Selvaran', '2024-01-15', '1', $couple, 'admin'),
  ('NK-10001', 'MARIA WULANDARI', 'IBU', 'Jl. Dahlia No. 11, Selvaran', '2024-03-02', '3', $couple, 'admin'),
  ('NK-10002', 'ANDREAS PURBA', 'SDR', 'Jl. Cempaka No. 8, Selvaran', '2025-07-20', '5', $couple, 'admin');

-- Their members (registration first, as the member window saves them).
INSERT IGNORE INTO \`registrasi\` (\`no_reg\`, \`tgl_reg\`, \`nik\`, \`nij\`) VALUES
  ('REG-10000-15012024', '2024-01-15', 'NK-10000', 'NJ-10000.10000'),
  ('REG-10001-15012024', '2024-01-15', 'NK-10000', 'NJ-10000.10001'),
  ('REG-10002-15012024', '2024-01-15', 'NK-10000', 'NJ-10000.10002'),
  ('REG-10003-02032024', '2024-03-02', 'NK-10001', 'NJ-10001.10000'),
  ('REG-10004-02032024', '2024-03-02', 'NK-10001', 'NJ-10001.10001'),
  ('REG-10005-20072025', '2025-07-20', 'NK-10002', 'NJ-10002.10000');

INSERT IGNORE INTO \`detail_kk\` (\`nik\`, \`nij\`, \`nama_dpn\`, \`nama_tengah\`, \`nama_blkg\`, \`nama_gabung\`, \`tmpt_lahir\`, \`tgl_lahir\`, \`alamat\`, \`no_hp\`, \`suku\`, \`tgl_input\`, \`id_card\`, \`no_id_card\`, \`sts_kel\`, \`sex\`, \`sekpel\`, \`pelkat\`, \`baptis\`, \`tmpt_baptis\`, \`tgl_baptis\`, \`sidi\`, \`tmpt_sidi\`, \`tgl_sidi\`, \`nikah\`, \`tmpt_nikah\`, \`tgl_nikah\`, \`gol_darah\`, \`pend_akhir\`, \`jurusan\`, \`gelar\`, \`pekerjaan\`, \`email\`, \`bhs_asing_1\`, \`skill\`, \`sts_hidup\`, \`tmpt_meninggal\`, \`tgl_meninggal\`, \`foto\`, \`suku_bangsa\`, \`username\`) VALUES
  ('NK-10000', 'NJ-10000.10000', 'YOHANES', '', 'SIMANJUNTAK', 'YOHANES SIMANJUNTAK', 'Medan', '1968-05-12', 'Jl. Melati No. 4, Selvaran', '081234500001', 'Batak', '2024-01-15', 'KTP', '3201011205680001', 'Kepala Keluarga', 'Pria', '1', 'PKB', 'SUDAH', 'Medan', '1968-08-01', 'SUDAH', 'Medan', '1985-04-07', 'SUDAH', 'Selvaran', '1994-06-18', 'O', 'S1', 'Teknik Sipil', 'S.T.', 'Wiraswasta', 'yohanes@contoh.id', 'Inggris', 'Pertukangan', 'Hidup', '', $z, $person, 'WNI', 'admin'),
  ('NK-10000', 'NJ-10000.10001', 'RUTH', '', 'SIMANJUNTAK', 'RUTH SIMANJUNTAK', 'Selvaran', '1972-09-30', 'Jl. Melati No. 4, Selvaran', '081234500002', 'Jawa', '2024-01-15', 'KTP', '3201017009720002', 'Istri', 'Wanita', '1', 'PKP', 'SUDAH', 'Selvaran', '1973-01-14', 'SUDAH', 'Selvaran', '1989-04-02', 'SUDAH', 'Selvaran', '1994-06-18', 'A', 'DIPLOMA', 'Akuntansi', 'A.Md.', 'Guru', '', '', 'Paduan Suara', 'Hidup', '', $z, $person, 'WNI', 'admin'),
  ('NK-10000', 'NJ-10000.10002', 'DANIEL', '', 'SIMANJUNTAK', 'DANIEL SIMANJUNTAK', 'Selvaran', '2012-02-21', 'Jl. Melati No. 4, Selvaran', '', 'Batak', '2024-01-15', 'KTP', '', 'Anak', 'Pria', '1', 'PT', 'SUDAH', 'Selvaran', '2012-06-10', 'BELUM', '', $z, 'BELUM', '', $z, 'O', 'SMP', '', '', 'Pelajar', '', '', 'Gitar', 'Hidup', '', $z, $person, 'WNI', 'admin'),
  ('NK-10001', 'NJ-10001.10000', 'MARIA', '', 'WULANDARI', 'MARIA WULANDARI', 'Semarang', '1955-11-03', 'Jl. Dahlia No. 11, Selvaran', '081234500004', 'Jawa', '2024-03-02', 'KTP', '3201014311550003', 'Kepala Keluarga', 'Wanita', '3', 'PKLU', 'SUDAH', 'Semarang', '1956-01-08', 'SUDAH', 'Semarang', '1971-05-30', 'SUDAH', 'Semarang', '1978-09-09', 'B', 'SMA', '', '', 'Pensiunan', '', '', 'Menjahit', 'Hidup', '', $z, $person, 'WNI', 'admin'),
  ('NK-10001', 'NJ-10001.10001', 'PAULUS', '', 'WIBOWO', 'PAULUS WIBOWO', 'Semarang', '1950-02-14', 'Jl. Dahlia No. 11, Selvaran', '', 'Jawa', '2024-03-02', 'KTP', '3201011402500004', 'Suami', 'Pria', '3', 'PKLU', 'SUDAH', 'Semarang', '1950-05-01', 'SUDAH', 'Semarang', '1966-04-10', 'SUDAH', 'Semarang', '1978-09-09', 'AB', 'S1', 'Hukum', 'S.H.', 'Pensiunan', '', '', '', 'Meninggal', 'Selvaran', '2025-10-04', $person, 'WNI', 'admin'),
  ('NK-10002', 'NJ-10002.10000', 'ANDREAS', '', 'PURBA', 'ANDREAS PURBA', 'Pematangsiantar', '2001-07-19', 'Jl. Cempaka No. 8, Selvaran', '081234500006', 'Batak', '2025-07-20', 'KTP', '3201011907010006', 'Kepala Keluarga', 'Pria', '5', 'GP', 'SUDAH', 'Pematangsiantar', '2001-10-07', 'SUDAH', 'Selvaran', '2018-04-01', 'BELUM', '', $z, 'A', 'S1', 'Informatika', 'S.Kom.', 'Pemrogram', 'andreas@contoh.id', 'Inggris', 'Multimedia', 'Hidup', '', $z, $person, 'WNI', 'admin');
SQL
}

{
  cat <<'SQL'
-- KORVAN demonstration data, loaded after schema.sql and seed.sql into a new
-- database by scripts/run.sh. Generated by db/demo/make-demo-sql.sh from the
-- photos in db/demo/: edit that script, not this file.

SET NAMES utf8mb4;

-- The church (an invented congregation).
INSERT IGNORE INTO `gereja` (`id`, `nama_gereja`, `alamat`) VALUES
  (1, 'GEREJA PROTESTAN JEMAAT BUKIT HARAPAN',
   'Jl. Kenanga Raya No. 27, Kelurahan Sukamulya, Kecamatan Cempaka Baru, Kota Selvaran 40125');

-- The active yearly theme.
INSERT IGNORE INTO `tema_tahunan` (`periode`, `tema`, `aktif`, `username`) VALUES
  ('2026-2027', 'Bersyukur dan Melayani dengan Sukacita (Kolose 3:15-17)', 'Ya', 'admin');

-- The default photos: db/demo/foto.jpg and db/demo/foto_nikah.jpg.
SQL
  printf "INSERT IGNORE INTO \`foto_default\` (\`id\`, \`foto\`, \`foto_nikah\`) VALUES\n"
  printf "  (1,\n   X'%s',\n   X'%s');\n" "$(hex "$here/foto.jpg")" "$(hex "$here/foto_nikah.jpg")"
  families
} >"$out"
echo "wrote $out"
