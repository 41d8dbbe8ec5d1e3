# The program's name, one-line summary and search words, in English and in Simplified
# Chinese, written once: the desktop entry, the AppStream metainfo and the web
# manifest are written from them at build time (configure_file, @NAME@).
set(VORLAINE_NAME "Vorlaine")
set(VORLAINE_NAME_ZH "独立光伏系统设计")
set(VORLAINE_SUMMARY "Size the battery and panels of a stand-alone solar power system")
set(VORLAINE_SUMMARY_ZH "计算独立光伏系统的蓄电池与太阳能电池板")
# The words a software centre or a launcher finds it by.
set(VORLAINE_KEYWORDS solar photovoltaic battery panel off-grid)
set(VORLAINE_KEYWORDS_ZH 光伏 太阳能 蓄电池 电池板 离网)
