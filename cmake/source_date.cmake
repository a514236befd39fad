# The one time stamp of every package the build makes (the archives' entries, the .deb's times):
# SOURCE_DATE_EPOCH when it is set while configuring, as reproducible-builds.org asks of a
# packager's build (tools/reproducible_check.sh sets it to the commit's time), and otherwise a
# fixed date, so that two builds of the same sources give the same bytes either way.
#   KX_SOURCE_DATE_EPOCH  seconds since 1970 (UTC)
# `cmake -E tar` stamps every time of an entry with SOURCE_DATE_EPOCH from its environment, where
# --mtime= sets only the modification time (a zip entry keeps the file's access and change times).
set(kx_fixed_date_epoch 1767225600)  # 2026-01-01 00:00:00 UTC
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH=$ENV{SOURCE_DATE_EPOCH}: it must be a number of seconds since 1970")
  endif()
  set(KX_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  set(KX_SOURCE_DATE_EPOCH ${kx_fixed_date_epoch})
endif()
unset(kx_fixed_date_epoch)
