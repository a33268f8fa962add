-- KORVAN database schema (MariaDB / MySQL 5 compatible).
--
-- Loaded by scripts/lib.sh into the database the scripts select
-- (korvan by default), both onto an empty database and onto one that
-- already holds data: every table is created only when it is missing, and
-- nothing here changes or removes a table that exists.
--
-- Conventions for every table (keep them when you add one):
--   * ENGINE=InnoDB, DEFAULT CHARSET=utf8mb4, COLLATE=utf8mb4_general_ci:
--     the program relies on case-insensitive comparison of text.
--   * Key columns NOT NULL; every other column nullable without a default,
--     because a parameter the program leaves unbound arrives as NULL.
--   * Dates, times and date-and-times as DATE, TIME, DATETIME. The zero date
--     of the program, 1899-12-30, stands for "does not apply" and is stored
--     like any other date.
--   * Text as VARCHAR wide enough that nothing is cut; long free text as TEXT;
--     pictures as LONGBLOB.
--   * A primary key on the column the program selects a row by, so that two
--     rows can never collide on it; a table the program keeps as a single row
--     gets an `id` fixed to 1 that refuses a second row.
--
-- Add new tables to the section of their area, in the same form:
--   -- `name`: what one row is.
--   CREATE TABLE IF NOT EXISTS `name` ( ... ) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

SET NAMES utf8mb4;

-- ===========================================================================
-- Application shell and administration
-- ===========================================================================

-- `user`: one row per account; `active` is "Y" while the account is logged in.
CREATE TABLE IF NOT EXISTS `user` (
  `nama`        VARCHAR(150) NULL,
  `username`    VARCHAR(100) NOT NULL,
  `pswd`        VARCHAR(100) NULL,
  `id_kategori` VARCHAR(10)  NULL,
  `active`      VARCHAR(10)  NULL,
  PRIMARY KEY (`username`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `kategori_user`: one row per user category (seed data). No index besides
-- the key: a second index covering both columns would make reads without an
-- ordering return the rows by name instead of by id.
CREATE TABLE IF NOT EXISTS `kategori_user` (
  `id_kategori` VARCHAR(10) NOT NULL,
  `nm_kategori` VARCHAR(50) NULL,
  PRIMARY KEY (`id_kategori`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `hak_akses`: one row per right (`menu`) that a user category holds.
CREATE TABLE IF NOT EXISTS `hak_akses` (
  `id_kategori` VARCHAR(10) NOT NULL,
  `menu`        VARCHAR(50) NOT NULL,
  PRIMARY KEY (`id_kategori`, `menu`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `gereja`: the church, a single row.
CREATE TABLE IF NOT EXISTS `gereja` (
  `id`          TINYINT UNSIGNED NOT NULL DEFAULT 1,
  `nama_gereja` VARCHAR(150) NULL,
  `alamat`      VARCHAR(255) NULL,
  PRIMARY KEY (`id`),
  CONSTRAINT `ck_gereja_single_row` CHECK (`id` = 1)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `tema_tahunan`: one yearly theme per period ("2021-2022"); the active one
-- has `aktif` = "Ya".
CREATE TABLE IF NOT EXISTS `tema_tahunan` (
  `periode`  VARCHAR(20)  NOT NULL,
  `tema`     TEXT         NULL,
  `aktif`    VARCHAR(10)  NULL,
  `username` VARCHAR(100) NULL,
  PRIMARY KEY (`periode`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `foto_default`: the default photos (JPEG bytes), a single row.
CREATE TABLE IF NOT EXISTS `foto_default` (
  `id`         TINYINT UNSIGNED NOT NULL DEFAULT 1,
  `foto`       LONGBLOB NULL,
  `foto_nikah` LONGBLOB NULL,
  PRIMARY KEY (`id`),
  CONSTRAINT `ck_foto_default_single_row` CHECK (`id` = 1)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `check_update_pelkat`: one row per day on which the daily recomputation of
-- the members' category groups started. A day may appear more than once.
CREATE TABLE IF NOT EXISTS `check_update_pelkat` (
  `id`  INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `tgl` DATE NULL,
  PRIMARY KEY (`id`),
  KEY `ix_check_update_pelkat_tgl` (`tgl`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `urutan_pelkat`: display order of the category groups (seed data); as
-- with `kategori_user`, only the key, so that rows come in display order.
CREATE TABLE IF NOT EXISTS `urutan_pelkat` (
  `id`     INT         NOT NULL,
  `pelkat` VARCHAR(10) NULL,
  PRIMARY KEY (`id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- ===========================================================================
-- Congregation registry
-- ===========================================================================

-- `header_kk`: one family, keyed by its number "NK-" + five digits. New
-- numbers continue the last stored one, so two saves that derive the same
-- number meet at the key and the second fails instead of doubling it.
CREATE TABLE IF NOT EXISTS `header_kk` (
  `nik`              VARCHAR(20)  NOT NULL,
  `nama_kk`          VARCHAR(150) NULL,
  `bpk_ibu_sdr`      VARCHAR(10)  NULL,
  `alamat`           VARCHAR(255) NULL,
  `tgl_input_daftar` DATE         NULL,
  `sekpel`           VARCHAR(5)   NULL,
  `foto`             LONGBLOB     NULL,
  `username`         VARCHAR(100) NULL,
  PRIMARY KEY (`nik`),
  KEY `ix_header_kk_sekpel` (`sekpel`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `detail_kk`: one person of a family (`nik`), keyed by the member number
-- "NJ-" + the family's digits + "." + five digits; a duplicate number fails at
-- the key. `id` is never written by the program: it numbers the rows in the
-- order they were stored, the order the daily recomputation reads them in.
-- Rows of one family come back in member-number order (the family index
-- carries the key).
CREATE TABLE IF NOT EXISTS `detail_kk` (
  `id`             INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `nik`            VARCHAR(20)  NULL,
  `nij`            VARCHAR(30)  NOT NULL,
  `nama_dpn`       VARCHAR(100) NULL,
  `nama_tengah`    VARCHAR(100) NULL,
  `nama_blkg`      VARCHAR(100) NULL,
  `nama_gabung`    VARCHAR(310) NULL,
  `tmpt_lahir`     VARCHAR(100) NULL,
  `tgl_lahir`      DATE         NULL,
  `alamat`         VARCHAR(255) NULL,
  `no_hp`          VARCHAR(50)  NULL,
  `suku`           VARCHAR(100) NULL,
  `tgl_input`      DATE         NULL,
  `id_card`        VARCHAR(20)  NULL,
  `no_id_card`     VARCHAR(100) NULL,
  `sts_kel`        VARCHAR(30)  NULL,
  `sex`            VARCHAR(10)  NULL,
  `sekpel`         VARCHAR(5)   NULL,
  `pelkat`         VARCHAR(10)  NULL,
  `baptis`         VARCHAR(10)  NULL,
  `tmpt_baptis`    VARCHAR(100) NULL,
  `tgl_baptis`     DATE         NULL,
  `sidi`           VARCHAR(10)  NULL,
  `tmpt_sidi`      VARCHAR(100) NULL,
  `tgl_sidi`       DATE         NULL,
  `nikah`          VARCHAR(10)  NULL,
  `tmpt_nikah`     VARCHAR(100) NULL,
  `tgl_nikah`      DATE         NULL,
  `gol_darah`      VARCHAR(5)   NULL,
  `pend_akhir`     VARCHAR(20)  NULL,
  `jurusan`        VARCHAR(100) NULL,
  `gelar`          VARCHAR(50)  NULL,
  `pekerjaan`      VARCHAR(100) NULL,
  `email`          VARCHAR(150) NULL,
  `bhs_asing_1`    VARCHAR(100) NULL,
  `skill`          VARCHAR(255) NULL,
  `sts_hidup`      VARCHAR(20)  NULL,
  `tmpt_meninggal` VARCHAR(100) NULL,
  `tgl_meninggal`  DATE         NULL,
  `foto`           LONGBLOB     NULL,
  `suku_bangsa`    VARCHAR(10)  NULL,
  `username`       VARCHAR(100) NULL,
  PRIMARY KEY (`nij`),
  UNIQUE KEY `ux_detail_kk_id` (`id`),
  KEY `ix_detail_kk_nik` (`nik`),
  KEY `ix_detail_kk_nama_gabung` (`nama_gabung`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `registrasi`: the registration of one member, numbered "REG-" + five
-- digits + "-" + ddmmyyyy. The counter runs over the whole table and the date
-- differs from day to day, so the counter alone (`reg_counter`, derived from
-- the number) is unique too: two saves that derive the same counter on
-- different days fail as well. Rows are never changed or deleted.
CREATE TABLE IF NOT EXISTS `registrasi` (
  `no_reg`      VARCHAR(30) NOT NULL,
  `tgl_reg`     DATE        NULL,
  `nik`         VARCHAR(20) NULL,
  `nij`         VARCHAR(30) NULL,
  `reg_counter` VARCHAR(5)  GENERATED ALWAYS AS (SUBSTRING(`no_reg`, 5, 5)) STORED,
  PRIMARY KEY (`no_reg`),
  UNIQUE KEY `ux_registrasi_counter` (`reg_counter`),
  KEY `ix_registrasi_member` (`nik`, `nij`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `pendeta`: one minister, keyed by the number the church gave (NIP), typed by
-- the user. The key compares as the program's selects do (without regard to
-- case or trailing blanks), so a save that finds no row can never store a
-- second row beside one that a later select would find.
CREATE TABLE IF NOT EXISTS `pendeta` (
  `nip`              VARCHAR(50)  NOT NULL,
  `nama_pdt`         VARCHAR(150) NULL,
  `nama_istri_suami` VARCHAR(150) NULL,
  `jml_anak`         VARCHAR(20)  NULL,
  `tmp_lahir`        VARCHAR(100) NULL,
  `tgl_lahir`        DATE         NULL,
  `sts_aktif`        VARCHAR(20)  NULL,
  `tgl_mulai`        DATE         NULL,
  `tgl_selesai`      DATE         NULL,
  `pindah_dari`      VARCHAR(150) NULL,
  `no_sk_masuk`      VARCHAR(100) NULL,
  `pindah_ke`        VARCHAR(150) NULL,
  `no_sk_keluar`     VARCHAR(100) NULL,
  `foto`             LONGBLOB     NULL,
  `nama_anak_1`      VARCHAR(150) NULL,
  `nama_anak_2`      VARCHAR(150) NULL,
  `nama_anak_3`      VARCHAR(150) NULL,
  `nama_anak_4`      VARCHAR(150) NULL,
  `nama_anak_5`      VARCHAR(150) NULL,
  `nama_anak_6`      VARCHAR(150) NULL,
  `jabatan`          VARCHAR(20)  NULL,
  `ktp`              VARCHAR(50)  NULL,
  `username`         VARCHAR(100) NULL,
  PRIMARY KEY (`nip`),
  KEY `ix_pendeta_nama` (`nama_pdt`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `vikaris`: one vicar, keyed by the typed vicar number (NIV).
CREATE TABLE IF NOT EXISTS `vikaris` (
  `niv`          VARCHAR(50)  NOT NULL,
  `nama_vik`     VARCHAR(150) NULL,
  `tmp_lahir`    VARCHAR(100) NULL,
  `tgl_lahir`    DATE         NULL,
  `masa_vik_ke`  VARCHAR(50)  NULL,
  `sts_aktif`    VARCHAR(20)  NULL,
  `tgl_mulai`    DATE         NULL,
  `tgl_selesai`  DATE         NULL,
  `pindah_dari`  VARCHAR(150) NULL,
  `no_sk_masuk`  VARCHAR(100) NULL,
  `pindah_ke`    VARCHAR(150) NULL,
  `no_sk_keluar` VARCHAR(100) NULL,
  `foto`         LONGBLOB     NULL,
  `ktp`          VARCHAR(50)  NULL,
  `username`     VARCHAR(100) NULL,
  PRIMARY KEY (`niv`),
  KEY `ix_vikaris_nama` (`nama_vik`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `mhs_praktek`: one theology student on practice placement, keyed by the
-- typed student number (NIM).
CREATE TABLE IF NOT EXISTS `mhs_praktek` (
  `nim`              VARCHAR(50)  NOT NULL,
  `nama`             VARCHAR(150) NULL,
  `tmp_lahir`        VARCHAR(100) NULL,
  `tgl_lahir`        DATE         NULL,
  `no_surat_praktek` VARCHAR(100) NULL,
  `sts_aktif`        VARCHAR(20)  NULL,
  `tgl_mulai`        DATE         NULL,
  `tgl_selesai`      DATE         NULL,
  `kampus`           VARCHAR(150) NULL,
  `foto`             LONGBLOB     NULL,
  `ktp`              VARCHAR(50)  NULL,
  `username`         VARCHAR(100) NULL,
  PRIMARY KEY (`nim`),
  KEY `ix_mhs_praktek_nama` (`nama`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `majelis`: one council member for one term, keyed by its number "MJ-" +
-- five digits + "-1" (man) or "-2" (woman). One counter serves both sexes,
-- so the counter alone (`nimp_counter`, derived from the number) is unique
-- as well: two saves that derive the same counter fail at the key instead of
-- storing "MJ-10005-1" beside "MJ-10005-2". `id` is assigned on insert and
-- carried into the council groups by the random grouping.
-- The validation PIN `pswd` compares exactly: case and trailing blanks count.
CREATE TABLE IF NOT EXISTS `majelis` (
  `id`             INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `nimp`           VARCHAR(20)  NOT NULL,
  `nij`            VARCHAR(30)  NULL,
  `pnt_dkn`        VARCHAR(10)  NULL,
  `periode`        VARCHAR(20)  NULL,
  `sts_aktif`      VARCHAR(20)  NULL,
  `tgl_mulai`      DATE         NULL,
  `tgl_selesai`    DATE         NULL,
  `foto`           LONGBLOB     NULL,
  `alasan_selesai` VARCHAR(255) NULL,
  `pswd`           VARCHAR(5)   CHARACTER SET utf8mb4 COLLATE utf8mb4_nopad_bin NULL,
  `username`       VARCHAR(100) NULL,
  `nimp_counter`   VARCHAR(5)   GENERATED ALWAYS AS (SUBSTRING(`nimp`, 4, 5)) STORED,
  PRIMARY KEY (`nimp`),
  UNIQUE KEY `ux_majelis_id` (`id`),
  UNIQUE KEY `ux_majelis_counter` (`nimp_counter`),
  KEY `ix_majelis_nij` (`nij`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `phmj`: the executive office of one council member (`nimp`, the key: one
-- office per council record).
CREATE TABLE IF NOT EXISTS `phmj` (
  `nimp`        VARCHAR(20)  NOT NULL,
  `jabatan`     VARCHAR(30)  NULL,
  `sts_aktif`   VARCHAR(20)  NULL,
  `tgl_mulai`   DATE         NULL,
  `tgl_selesai` DATE         NULL,
  `periode`     VARCHAR(20)  NULL,
  `foto`        LONGBLOB     NULL,
  `username`    VARCHAR(100) NULL,
  PRIMARY KEY (`nimp`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `majelis_group`: the group (`grup`, 1 or more) of one council member
-- (`nimp`, the key: a council member is in one group at most). `id` is the
-- council record's id when the random grouping wrote the row.
CREATE TABLE IF NOT EXISTS `majelis_group` (
  `id`         INT          NULL,
  `nimp`       VARCHAR(20)  NOT NULL,
  `grup`       INT          NULL,
  `foto`       LONGBLOB     NULL,
  `username`   VARCHAR(100) NULL,
  `lastupdate` DATE         NULL,
  PRIMARY KEY (`nimp`),
  KEY `ix_majelis_group_grup` (`grup`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `majelis_group_temp`: work table of the random grouping, the council
-- members of one office in the drawn order; per connection (a temporary table
-- hides it). The grouping reads it without ordering and deals in the order it
-- gets, so rows must come back in the order they were stored: `seq` (never
-- written by the program) is the key for that reason; `id` is what rows are
-- deleted by and unique, so a council member cannot be drawn twice.
CREATE TABLE IF NOT EXISTS `majelis_group_temp` (
  `seq`  INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `id`   INT          NOT NULL,
  `nimp` VARCHAR(20)  NULL,
  PRIMARY KEY (`seq`),
  UNIQUE KEY `ux_majelis_group_temp_id` (`id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `majelis_group_temp2`: work table of the random grouping, the dealt groups
-- before they are copied into `majelis_group`; per connection, in the order
-- stored (`seq`), one row per council member (`id`).
CREATE TABLE IF NOT EXISTS `majelis_group_temp2` (
  `seq`  INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `id`   INT          NOT NULL,
  `nimp` VARCHAR(20)  NULL,
  `grup` INT          NULL,
  PRIMARY KEY (`seq`),
  UNIQUE KEY `ux_majelis_group_temp2_id` (`id`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- Sacraments: baptism, catechism and confirmation, marriage. Each registration
-- is keyed by its number "NNNNN/ddmmyyyy/..."; `validasi` stays NULL until the
-- sacrament is carried out ("Sudah") or cancelled ("Batal").

-- `daftar_baptis`: one application for baptism: the child, the parents, the
-- pastoral meeting and the execution, the document checklist ("Y"/"N").
CREATE TABLE IF NOT EXISTS `daftar_baptis` (
  `no_reg`                 VARCHAR(30)  NOT NULL,
  `internal_eksternal`     VARCHAR(10)  NULL,
  `nij`                    VARCHAR(30)  NULL,
  `nama_baptis`            VARCHAR(150) NULL,
  `tmpt_lahir_baptis`      VARCHAR(100) NULL,
  `tgl_lahir_baptis`       DATE         NULL,
  `no_akte_kelahiran`      VARCHAR(100) NULL,
  `nij_ayah`               VARCHAR(30)  NULL,
  `nama_ayah`              VARCHAR(150) NULL,
  `tmpt_lahir_ayah`        VARCHAR(100) NULL,
  `tgl_lahir_ayah`         DATE         NULL,
  `pekerjaan_ayah`         VARCHAR(100) NULL,
  `alamat`                 VARCHAR(255) NULL,
  `nij_ibu`                VARCHAR(30)  NULL,
  `nama_ibu`               VARCHAR(150) NULL,
  `tmpt_lahir_ibu`         VARCHAR(100) NULL,
  `tgl_lahir_ibu`          DATE         NULL,
  `pekerjaan_ibu`          VARCHAR(100) NULL,
  `no_akte_nikah`          VARCHAR(100) NULL,
  `tgl_pengembalaan`       DATE         NULL,
  `jam_pengembalaan`       TIME         NULL,
  `tgl_pelaksanaan`        DATE         NULL,
  `jam_pelaksanaan`        VARCHAR(30)  NULL,
  `dilayani_oleh`          VARCHAR(150) NULL,
  `no_surat_gereja_luar`   VARCHAR(100) NULL,
  `nama_gereja`            VARCHAR(150) NULL,
  `nama_kmj`               VARCHAR(150) NULL,
  `cp_kartu_warga_jemaat`  VARCHAR(1)   NULL,
  `cp_akte_lahir`          VARCHAR(1)   NULL,
  `cp_srt_nkh_grj`         VARCHAR(1)   NULL,
  `cp_akt_nkh_capil`       VARCHAR(1)   NULL,
  `biaya_admin`            VARCHAR(1)   NULL,
  `no_tlp`                 VARCHAR(30)  NULL,
  `sekpel`                 VARCHAR(30)  NULL,
  `validasi`               VARCHAR(10)  NULL,
  `username`               VARCHAR(100) NULL,
  PRIMARY KEY (`no_reg`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `daftar_katekisasi_sidi`: one application for catechism class and confirmation.
-- `2_lbr_pas_foto` begins with a digit (a name the program uses as it is).
CREATE TABLE IF NOT EXISTS `daftar_katekisasi_sidi` (
  `no_reg`                  VARCHAR(30)  NOT NULL,
  `internal_eksternal`      VARCHAR(10)  NULL,
  `nij`                     VARCHAR(30)  NULL,
  `nama_sidi`               VARCHAR(150) NULL,
  `tmpt_lahir_sidi`         VARCHAR(100) NULL,
  `tgl_lahir_sidi`          DATE         NULL,
  `tmpt_baptis`             VARCHAR(100) NULL,
  `tgl_baptis`              DATE         NULL,
  `alamat_sidi`             VARCHAR(255) NULL,
  `no_tlp_sidi`             VARCHAR(30)  NULL,
  `sekpel_sidi`             VARCHAR(30)  NULL,
  `no_surat_gereja_luar`    VARCHAR(100) NULL,
  `asal_gereja_agama_sidi`  VARCHAR(100) NULL,
  `nij_ayah`                VARCHAR(30)  NULL,
  `nama_ayah`               VARCHAR(150) NULL,
  `tmpt_lahir_ayah`         VARCHAR(100) NULL,
  `tgl_lahir_ayah`          DATE         NULL,
  `pekerjaan_ayah`          VARCHAR(100) NULL,
  `alamat_ayah`             VARCHAR(255) NULL,
  `sekpel_ayah`             VARCHAR(30)  NULL,
  `no_tlp_ayah`             VARCHAR(30)  NULL,
  `asal_gereja_agama_ayah`  VARCHAR(100) NULL,
  `nij_ibu`                 VARCHAR(30)  NULL,
  `nama_ibu`                VARCHAR(150) NULL,
  `tmpt_lahir_ibu`          VARCHAR(100) NULL,
  `tgl_lahir_ibu`           DATE         NULL,
  `pekerjaan_ibu`           VARCHAR(100) NULL,
  `sekpel_ibu`              VARCHAR(30)  NULL,
  `alamat_ibu`              VARCHAR(255) NULL,
  `no_tlp_ibu`              VARCHAR(30)  NULL,
  `asal_gereja_agama_ibu`   VARCHAR(100) NULL,
  `tgl_pengembalaan`        DATE         NULL,
  `jam_pengembalaan`        TIME         NULL,
  `tgl_pelaksanaan`         DATE         NULL,
  `jam_pelaksanaan`         VARCHAR(30)  NULL,
  `dilayani_oleh`           VARCHAR(150) NULL,
  `cp_kartu_warga_jemaat`   VARCHAR(1)   NULL,
  `cp_akte_lahir`           VARCHAR(1)   NULL,
  `cp_td_pengenal`          VARCHAR(1)   NULL,
  `2_lbr_pas_foto`          VARCHAR(1)   NULL,
  `cp_srt_bpts`             VARCHAR(1)   NULL,
  `srt_pernyataan`          VARCHAR(1)   NULL,
  `biaya_admin`             VARCHAR(1)   NULL,
  `validasi`                VARCHAR(10)  NULL,
  `pekerjaan_sidi`          VARCHAR(100) NULL,
  `username`                VARCHAR(100) NULL,
  PRIMARY KEY (`no_reg`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `daftar_nikah`: one application for the church blessing of a marriage: the
-- couple, their parents or guardians, witnesses, civil and church ceremonies, photo.
CREATE TABLE IF NOT EXISTS `daftar_nikah` (
  `no_reg`                     VARCHAR(30)  NOT NULL,
  `nij_pria`                   VARCHAR(30)  NULL,
  `tmpt_lahir_pria`            VARCHAR(100) NULL,
  `tgl_lahir_pria`             DATE         NULL,
  `pekerjaan_pria`             VARCHAR(100) NULL,
  `alamat_pria`                VARCHAR(255) NULL,
  `sekpel_pria`                VARCHAR(30)  NULL,
  `no_tlp_pria`                VARCHAR(30)  NULL,
  `jemaat_pria`                VARCHAR(100) NULL,
  `tmpt_baptis_pria`           VARCHAR(100) NULL,
  `tgl_baptis_pria`            DATE         NULL,
  `tmpt_sidi_pria`             VARCHAR(100) NULL,
  `tgl_sidi_pria`              DATE         NULL,
  `suku_bangsa_pria`           VARCHAR(30)  NULL,
  `nij_wanita`                 VARCHAR(30)  NULL,
  `tmpt_lahir_wanita`          VARCHAR(100) NULL,
  `tgl_lahir_wanita`           DATE         NULL,
  `pekerjaan_wanita`           VARCHAR(100) NULL,
  `alamat_wanita`              VARCHAR(255) NULL,
  `sekpel_wanita`              VARCHAR(30)  NULL,
  `no_tlp_wanita`              VARCHAR(30)  NULL,
  `jemaat_wanita`              VARCHAR(100) NULL,
  `tmpt_baptis_wanita`         VARCHAR(100) NULL,
  `tgl_baptis_wanita`          DATE         NULL,
  `tmpt_sidi_wanita`           VARCHAR(100) NULL,
  `tgl_sidi_wanita`            DATE         NULL,
  `suku_bangsa_wanita`         VARCHAR(30)  NULL,
  `nij_ayah_pria`              VARCHAR(30)  NULL,
  `nama_ayah_pria`             VARCHAR(150) NULL,
  `tmpt_lahir_ayah_pria`       VARCHAR(100) NULL,
  `tgl_lahir_ayah_pria`        DATE         NULL,
  `nij_ibu_pria`               VARCHAR(30)  NULL,
  `nama_ibu_pria`              VARCHAR(150) NULL,
  `tmpt_lahir_ibu_pria`        VARCHAR(100) NULL,
  `tgl_lahir_ibu_pria`         DATE         NULL,
  `nama_wali_pria`             VARCHAR(150) NULL,
  `tmpt_lahir_wali_pria`       VARCHAR(100) NULL,
  `tgl_lahir_wali_pria`        DATE         NULL,
  `nij_ayah_wanita`            VARCHAR(30)  NULL,
  `nama_ayah_wanita`           VARCHAR(150) NULL,
  `tmpt_lahir_ayah_wanita`     VARCHAR(100) NULL,
  `tgl_lahir_ayah_wanita`      DATE         NULL,
  `nij_ibu_wanita`             VARCHAR(30)  NULL,
  `nama_ibu_wanita`            VARCHAR(150) NULL,
  `tmpt_lahir_ibu_wanita`      VARCHAR(100) NULL,
  `tgl_lahir_ibu_wanita`       DATE         NULL,
  `nama_wali_wanita`           VARCHAR(150) NULL,
  `tmpt_lahir_wali_wanita`     VARCHAR(100) NULL,
  `tgl_lahir_wali_wanita`      DATE         NULL,
  `nama_saksi_pria`            VARCHAR(150) NULL,
  `umur_saksi_pria`            VARCHAR(10)  NULL,
  `pekerjaan_saksi_pria`       VARCHAR(100) NULL,
  `alamat_saksi_pria`          VARCHAR(255) NULL,
  `nama_saksi_wanita`          VARCHAR(150) NULL,
  `umur_saksi_wanita`          VARCHAR(10)  NULL,
  `pekerjaan_saksi_wanita`     VARCHAR(100) NULL,
  `alamat_saksi_wanita`        VARCHAR(255) NULL,
  `tmpt_capil`                 VARCHAR(100) NULL,
  `tgl_capil`                  DATE         NULL,
  `jam_capil`                  TIME         NULL,
  `dilayani_oleh_capil`        VARCHAR(150) NULL,
  `tmpt_pemberkatan`           VARCHAR(100) NULL,
  `tgl_pemberkatan`            DATE         NULL,
  `jam_pemberkatan`            TIME         NULL,
  `dilayani_oleh_pemberkatan`  VARCHAR(150) NULL,
  `tmpt_pengembalaan`          VARCHAR(100) NULL,
  `tgl_pengembalaan`           DATE         NULL,
  `validasi`                   VARCHAR(10)  NULL,
  `ineks_pria`                 VARCHAR(10)  NULL,
  `ineks_wanita`               VARCHAR(10)  NULL,
  `ineks_ortu_pria`            VARCHAR(10)  NULL,
  `ineks_ortu_wanita`          VARCHAR(10)  NULL,
  `foto`                       LONGBLOB     NULL,
  `nama_pria`                  VARCHAR(150) NULL,
  `nama_wanita`                VARCHAR(150) NULL,
  `username`                   VARCHAR(100) NULL,
  PRIMARY KEY (`no_reg`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- ===========================================================================
-- Worship, offerings, dues and loans
-- ===========================================================================

-- Sunday and church-feast services. Both service tables are read without an
-- ordering clause and a new service number continues the counter of the last
-- row read, so each has a surrogate `id` as its primary key: InnoDB returns
-- the rows in the order they were stored, and the last one read is the last
-- one saved. The service number `kode` ("IM-"/"IG-" + ddmmyyyy + "-" +
-- counter) is unique, so two saves that compute the same number fail instead
-- of storing it twice.
CREATE TABLE IF NOT EXISTS `ibadah_minggu` (
  `id`                  INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `kode`                VARCHAR(20)  NOT NULL,
  `tgl`                 DATE         NULL,
  `jam`                 VARCHAR(8)   NULL,
  `tempat`              VARCHAR(3)   NULL,
  `ayat`                VARCHAR(255) NULL,
  `tema_kotbah`         VARCHAR(255) NULL,
  `pf`                  VARCHAR(30)  NULL,
  `nama_pf`             VARCHAR(150) NULL,
  `nama_gereja`         VARCHAR(150) NULL,
  `pianis`              VARCHAR(150) NULL,
  `prokantor`           VARCHAR(150) NULL,
  `kantoria`            VARCHAR(150) NULL,
  `multimedia`          VARCHAR(150) NULL,
  `kantong_rutin`       DOUBLE       NULL,
  `kantong_pembangunan` DOUBLE       NULL,
  `persepuluhan`        DOUBLE       NULL,
  `syukur`              DOUBLE       NULL,
  `sbu`                 DOUBLE       NULL,
  `jml_jemaat`          INT          NULL,
  `keterangan`          TEXT         NULL,
  `validasi_1`          VARCHAR(20)  NULL,
  `validasi_2`          VARCHAR(20)  NULL,
  `soundman1`           VARCHAR(150) NULL,
  `soundman2`           VARCHAR(150) NULL,
  `nip_pf`              VARCHAR(50)  NULL,
  `username`            VARCHAR(100) NULL,
  `kantong_lainlain`    DOUBLE       NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_ibadah_minggu_kode` (`kode`),
  KEY `ix_ibadah_minggu_tgl` (`tgl`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `ibadah_minggu_detail`: the stored roster, one row per duty ("P1".."P15")
-- of a service; `id` in the order stored, which the printed form follows.
CREATE TABLE IF NOT EXISTS `ibadah_minggu_detail` (
  `id`      INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `kode`    VARCHAR(20)  NOT NULL,
  `nimp`    VARCHAR(20)  NULL,
  `petugas` VARCHAR(5)   NULL,
  `urut`    INT          NULL,
  PRIMARY KEY (`id`),
  KEY `ix_ibadah_minggu_detail_kode` (`kode`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `ibadah_minggu_detail_temp`: work table of the roster being edited, per
-- connection (a temporary table hides it); one row per duty.
CREATE TABLE IF NOT EXISTS `ibadah_minggu_detail_temp` (
  `id`      INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `petugas` VARCHAR(5)   NOT NULL,
  `nimp`    VARCHAR(20)  NULL,
  `urut`    INT          NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_ibadah_minggu_detail_temp_petugas` (`petugas`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `ibadah_hariraya_gerejawi`: church-feast services, kept like the Sunday
-- services (surrogate `id` in storage order, unique `kode`).
CREATE TABLE IF NOT EXISTS `ibadah_hariraya_gerejawi` (
  `id`                  INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `kode`                VARCHAR(20)  NOT NULL,
  `tgl`                 DATE         NULL,
  `jam`                 VARCHAR(8)   NULL,
  `tempat`              VARCHAR(3)   NULL,
  `ayat`                VARCHAR(255) NULL,
  `judul_ibadah`        VARCHAR(50)  NULL,
  `sts_pf`              VARCHAR(30)  NULL,
  `pf`                  VARCHAR(50)  NULL,
  `nama_pf`             VARCHAR(150) NULL,
  `nama_gereja`         VARCHAR(150) NULL,
  `pianis`              VARCHAR(150) NULL,
  `prokantor`           VARCHAR(150) NULL,
  `kantoria`            VARCHAR(150) NULL,
  `multimedia`          VARCHAR(150) NULL,
  `kantong_rutin`       DOUBLE       NULL,
  `kantong_pembangunan` DOUBLE       NULL,
  `persepuluhan`        DOUBLE       NULL,
  `syukur`              DOUBLE       NULL,
  `sbu`                 DOUBLE       NULL,
  `jml_jemaat`          INT          NULL,
  `keterangan`          TEXT         NULL,
  `validasi_1`          VARCHAR(20)  NULL,
  `validasi_2`          VARCHAR(20)  NULL,
  `soundman1`           VARCHAR(150) NULL,
  `soundman2`           VARCHAR(150) NULL,
  `username`            VARCHAR(100) NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_ibadah_hariraya_gerejawi_kode` (`kode`),
  KEY `ix_ibadah_hariraya_gerejawi_tgl` (`tgl`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `ibadah_hariraya_gerejawi_detail`: the stored roster ("P1".."P30").
CREATE TABLE IF NOT EXISTS `ibadah_hariraya_gerejawi_detail` (
  `id`      INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `kode`    VARCHAR(20)  NOT NULL,
  `nimp`    VARCHAR(20)  NULL,
  `petugas` VARCHAR(5)   NULL,
  `urut`    INT          NULL,
  PRIMARY KEY (`id`),
  KEY `ix_ibadah_hariraya_gerejawi_detail_kode` (`kode`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `ibadah_hariraya_gerejawi_detail_temp`: work table of the feast roster, per
-- connection; one row per duty.
CREATE TABLE IF NOT EXISTS `ibadah_hariraya_gerejawi_detail_temp` (
  `id`      INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `petugas` VARCHAR(5)   NOT NULL,
  `nimp`    VARCHAR(20)  NULL,
  `urut`    INT          NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_ibadah_hariraya_gerejawi_detail_temp_petugas` (`petugas`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- ===========================================================================
-- Documents with line tables: cemetery dues, item loans, membership transfers
-- ===========================================================================

-- `mpag`: one cemetery dues payment, one receipt. `id` numbers the payments
-- in the order stored: the next receipt number continues the last of them.
CREATE TABLE IF NOT EXISTS `mpag` (
  `id`            INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `no_kwitansi`   VARCHAR(40)  NOT NULL,
  `periode`       VARCHAR(10)  NULL,
  `tgl_bayar`     DATE         NULL,
  `total_nominal` DOUBLE       NULL,
  `username`      VARCHAR(100) NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_mpag_no_kwitansi` (`no_kwitansi`),
  KEY `ix_mpag_tgl_bayar` (`tgl_bayar`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `mpag_detail`: one member's amount in a stored payment; a member at most
-- once per payment.
CREATE TABLE IF NOT EXISTS `mpag_detail` (
  `id`          INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `no_kwitansi` VARCHAR(40)  NOT NULL,
  `nij`         VARCHAR(30)  NOT NULL,
  `nominal`     DOUBLE       NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_mpag_detail_line` (`no_kwitansi`, `nij`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `mpag_detail_temp`: work table of the payment being edited, per connection.
CREATE TABLE IF NOT EXISTS `mpag_detail_temp` (
  `id`      INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `nij`     VARCHAR(30)  NOT NULL,
  `nominal` DOUBLE       NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_mpag_detail_temp_nij` (`nij`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `pinjam_barang`: one loan form. `id` numbers the forms in the order stored:
-- the next form number continues the last of them.
CREATE TABLE IF NOT EXISTS `pinjam_barang` (
  `id`           INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `no_blanko`    VARCHAR(20)  NOT NULL,
  `tgl`          DATE         NULL,
  `sts_peminjam` VARCHAR(20)  NULL,
  `nij`          VARCHAR(30)  NULL,
  `nama`         VARCHAR(310) NULL,
  `keperluan`    VARCHAR(255) NULL,
  `sekpel`       INT          NULL,
  `sts_lengkap`  VARCHAR(5)   NULL,
  `username`     VARCHAR(100) NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_pinjam_barang_no_blanko` (`no_blanko`),
  KEY `ix_pinjam_barang_tgl` (`tgl`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `pinjam_barang_detail`: an item line of a stored form; one lending
-- ("PINJAM") and one return ("KEMBALI") line per item.
CREATE TABLE IF NOT EXISTS `pinjam_barang_detail` (
  `id`              INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `no_blanko`       VARCHAR(20)  NOT NULL,
  `nama_barang`     VARCHAR(150) NOT NULL,
  `qty`             INT          NULL,
  `sts_pinjam`      VARCHAR(10)  NOT NULL,
  `kondisi_pinjam`  VARCHAR(255) NULL,
  `kondisi_kembali` VARCHAR(255) NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_pinjam_barang_detail_line` (`no_blanko`, `sts_pinjam`, `nama_barang`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `pinjam_barang_detail_temp`: work table of the form being edited, per
-- connection.
CREATE TABLE IF NOT EXISTS `pinjam_barang_detail_temp` (
  `id`              INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `sts_pinjam`      VARCHAR(10)  NOT NULL,
  `nama_barang`     VARCHAR(150) NOT NULL,
  `qty`             INT          NULL,
  `kondisi_pinjam`  VARCHAR(255) NULL,
  `kondisi_kembali` VARCHAR(255) NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_pinjam_barang_detail_temp_line` (`sts_pinjam`, `nama_barang`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `attestasi`: one membership transfer, outgoing ("KELUAR") or incoming
-- ("MASUK"), keyed by its number (six-digit counter first, so the numbers
-- sort by counter).
CREATE TABLE IF NOT EXISTS `attestasi` (
  `no_att`                VARCHAR(20)  NOT NULL,
  `sts_att`               VARCHAR(10)  NULL,
  `tgl`                   DATE         NULL,
  `no_srt_masuk`          VARCHAR(100) NULL,
  `nij_nik`               VARCHAR(30)  NULL,
  `nama`                  VARCHAR(310) NULL,
  `alamat_lama`           VARCHAR(255) NULL,
  `sekpel`                INT          NULL,
  `pindah_ke_dari_jemaat` VARCHAR(255) NULL,
  `alamat_baru`           VARCHAR(255) NULL,
  `username`              VARCHAR(100) NULL,
  PRIMARY KEY (`no_att`),
  KEY `ix_attestasi_tgl` (`tgl`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `attestasi_detail`: a family member moved with a stored transfer; one line
-- per member (number and name: incoming lines all carry "Jemaat Masuk").
CREATE TABLE IF NOT EXISTS `attestasi_detail` (
  `id`                INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `no_att`            VARCHAR(20)  NOT NULL,
  `nij`               VARCHAR(30)  NOT NULL,
  `nama`              VARCHAR(310) NOT NULL,
  `hubungan_keluarga` VARCHAR(20)  NULL,
  `tmpt_lahir`        VARCHAR(100) NULL,
  `tgl_lahir`         DATETIME     NULL,
  `sekpel`            INT          NULL,
  `keterangan`        TEXT         NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_attestasi_detail_line` (`no_att`, `nij`, `nama`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `attestasi_detail_temp`: work table of the transfer being edited, per
-- connection.
CREATE TABLE IF NOT EXISTS `attestasi_detail_temp` (
  `id`                INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `nij`               VARCHAR(30)  NOT NULL,
  `nama`              VARCHAR(310) NOT NULL,
  `hubungan_keluarga` VARCHAR(20)  NULL,
  `tmpt_lahir`        VARCHAR(100) NULL,
  `tgl_lahir`         DATETIME     NULL,
  `sekpel`            INT          NULL,
  `keterangan`        TEXT         NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_attestasi_detail_temp_line` (`nij`, `nama`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- Sector and thanksgiving services: one row per service, no lines. Kept like
-- the Sunday services: a surrogate `id` in storage order (a new number
-- continues the counter of the last row read) and a unique number `kode`
-- ("IS-"/"IY-" + ddmmyyyy + "-" + counter). `validasi` holds the member
-- number of whoever confirmed the money deposit; empty: not validated.
CREATE TABLE IF NOT EXISTS `ibadah_sektor` (
  `id`              INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `kode`            VARCHAR(20)  NOT NULL,
  `tgl`             DATE         NULL,
  `jam`             TIME         NULL,
  `sekpel`          VARCHAR(5)   NULL,
  `tuan_rumah`      VARCHAR(50)  NULL,
  `ayat`            VARCHAR(255) NULL,
  `tema_kotbah`     VARCHAR(255) NULL,
  `pf`              VARCHAR(50)  NULL,
  `nama_pf`         VARCHAR(150) NULL,
  `liturgos`        VARCHAR(20)  NULL,
  `pkt`             VARCHAR(20)  NULL,
  `kolekte`         DOUBLE       NULL,
  `syukur`          DOUBLE       NULL,
  `jml_jemaat`      INT          NULL,
  `keterangan`      TEXT         NULL,
  `validasi`        VARCHAR(30)  NULL,
  `nama_tuan_rumah` VARCHAR(310) NULL,
  `sts_pf`          VARCHAR(30)  NULL,
  `username`        VARCHAR(100) NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_ibadah_sektor_kode` (`kode`),
  KEY `ix_ibadah_sektor_tgl` (`tgl`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE IF NOT EXISTS `ibadah_syukur` (
  `id`              INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `kode`            VARCHAR(20)  NOT NULL,
  `tgl`             DATE         NULL,
  `jam`             TIME         NULL,
  `sekpel`          VARCHAR(5)   NULL,
  `tuan_rumah`      VARCHAR(50)  NULL,
  `nij`             VARCHAR(50)  NULL,
  `ayat`            VARCHAR(255) NULL,
  `judul_ibadah`    VARCHAR(50)  NULL,
  `pf`              VARCHAR(50)  NULL,
  `nama_pf`         VARCHAR(150) NULL,
  `liturgos`        VARCHAR(20)  NULL,
  `pkt`             VARCHAR(20)  NULL,
  `kolekte`         DOUBLE       NULL,
  `syukur`          DOUBLE       NULL,
  `keterangan`      TEXT         NULL,
  `validasi`        VARCHAR(30)  NULL,
  `nama_tuan_rumah` VARCHAR(310) NULL,
  `sts_pf`          VARCHAR(30)  NULL,
  `username`        VARCHAR(100) NULL,
  `jml_jemaat`      INT          NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_ibadah_syukur_kode` (`kode`),
  KEY `ix_ibadah_syukur_tgl` (`tgl`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `ibadah_pelkat`: one category-group service ("IP-" + ddmmyyyy + "-" +
-- counter), kept like the sector services: a surrogate `id` in storage order
-- and a unique number `kode`. The totals are those of its lines.
CREATE TABLE IF NOT EXISTS `ibadah_pelkat` (
  `id`            INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `kode`          VARCHAR(20)  NOT NULL,
  `tgl`           DATE         NULL,
  `jam`           TIME         NULL,
  `pelkat`        VARCHAR(10)  NULL,
  `validasi`      VARCHAR(30)  NULL,
  `total_kolekte` DOUBLE       NULL,
  `total_syukur`  DOUBLE       NULL,
  `username`      VARCHAR(100) NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_ibadah_pelkat_kode` (`kode`),
  KEY `ix_ibadah_pelkat_tgl` (`tgl`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `ibadah_pelkat_detail`: one line of a stored category-group service, one
-- per area, kind of place and class.
CREATE TABLE IF NOT EXISTS `ibadah_pelkat_detail` (
  `id`              INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `kode`            VARCHAR(20)  NOT NULL,
  `wilayah`         VARCHAR(20)  NOT NULL,
  `tuan_rumah`      VARCHAR(50)  NULL,
  `nama_tuan_rumah` VARCHAR(310) NULL,
  `ayat`            VARCHAR(255) NULL,
  `sts_pf`          VARCHAR(30)  NULL,
  `pf`              VARCHAR(50)  NULL,
  `nama_pf`         VARCHAR(310) NULL,
  `liturgos`        VARCHAR(30)  NULL,
  `nama_liturgos`   VARCHAR(310) NULL,
  `pkt`             VARCHAR(30)  NULL,
  `nama_pkt`        VARCHAR(310) NULL,
  `kolekte`         DOUBLE       NULL,
  `syukur`          DOUBLE       NULL,
  `keterangan`      TEXT         NULL,
  `jml_jemaat`      INT          NULL,
  `sts_tuan_rumah`  VARCHAR(20)  NULL,
  `tempat`          VARCHAR(20)  NOT NULL,
  `kelas`           VARCHAR(30)  NOT NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_ibadah_pelkat_detail_line` (`kode`, `wilayah`, `tempat`, `kelas`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- `ibadah_pelkat_detail_temp`: work table of the service being edited, per
-- connection, read back in the order its lines were added.
CREATE TABLE IF NOT EXISTS `ibadah_pelkat_detail_temp` (
  `id`              INT UNSIGNED NOT NULL AUTO_INCREMENT,
  `wilayah`         VARCHAR(20)  NOT NULL,
  `tuan_rumah`      VARCHAR(50)  NULL,
  `nama_tuan_rumah` VARCHAR(310) NULL,
  `ayat`            VARCHAR(255) NULL,
  `sts_pf`          VARCHAR(30)  NULL,
  `pf`              VARCHAR(50)  NULL,
  `nama_pf`         VARCHAR(310) NULL,
  `liturgos`        VARCHAR(30)  NULL,
  `nama_liturgos`   VARCHAR(310) NULL,
  `pkt`             VARCHAR(30)  NULL,
  `nama_pkt`        VARCHAR(310) NULL,
  `kolekte`         DOUBLE       NULL,
  `syukur`          DOUBLE       NULL,
  `keterangan`      TEXT         NULL,
  `jml_jemaat`      INT          NULL,
  `sts_tuan_rumah`  VARCHAR(20)  NULL,
  `tempat`          VARCHAR(20)  NOT NULL,
  `kelas`           VARCHAR(30)  NOT NULL,
  PRIMARY KEY (`id`),
  UNIQUE KEY `ux_ibadah_pelkat_detail_temp_line` (`wilayah`, `tempat`, `kelas`)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
