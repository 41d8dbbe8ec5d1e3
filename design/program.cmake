# The program's name and one-line summary, in English and in Simplified
# Chinese, written once: the desktop entry, the AppStream metainfo and the web
# manifest are written from them at build time (configure_file, @NAME@).
set(VORLAINE_NAME "Vorlaine")
set(VORLAINE_NAME_ZH "独立光伏系统设计")
set(VORLAINE_SUMMARY "Size the battery and panels of a stand-alone solar power system")
set(VORLAINE_SUMMARY_ZH "计算独立光伏系统的蓄电池与太阳能电池板")
