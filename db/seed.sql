-- KORVAN seed data: what the program needs to run at all.
-- Loaded after schema.sql. Rows that already exist are kept as they are.

SET NAMES utf8mb4;

-- The user categories.
INSERT IGNORE INTO `kategori_user` (`id_kategori`, `nm_kategori`) VALUES
  ('10', 'Admin'),
  ('20', 'Kepala Kantor'),
  ('30', 'Pegawai'),
  ('40', 'Keuangan'),
  ('50', 'KMJ'),
  ('60', 'PJ'),
  ('70', 'PHMJ'),
  ('80', 'Majelis'),
  ('90', 'BPPJ');

-- Display order of the category groups on the dashboard.
INSERT IGNORE INTO `urutan_pelkat` (`id`, `pelkat`) VALUES
  (1, 'PA'),
  (2, 'PT'),
  (3, 'GP'),
  (4, 'PKP'),
  (5, 'PKB'),
  (6, 'PKLU');

-- The first account: log in with admin / admin, category Admin.
INSERT IGNORE INTO `user` (`nama`, `username`, `pswd`, `id_kategori`, `active`) VALUES
  ('ADMINISTRATOR', 'admin', 'admin', '10', 'T');

-- Category Admin holds every right the main window checks.
INSERT IGNORE INTO `hak_akses` (`id_kategori`, `menu`) VALUES
  ('10', 'Master'),
  ('10', 'Warga Jemaat'),
  ('10', 'Majelis'),
  ('10', 'Attestasi Pindah'),
  ('10', 'Peminjaman Barang'),
  ('10', 'Ibadah'),
  ('10', 'Pendaftaran'),
  ('10', 'Report'),
  ('10', 'Tools');
