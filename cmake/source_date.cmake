# The one time stamp of every package the build makes (the archives' entries, the installer's
# files): SOURCE_DATE_EPOCH when it is set while configuring, as reproducible-builds.org asks of a
# packager's build (the package check sets it to the commit's time), and otherwise a fixed date,
# so that two builds of the same sources give the same bytes either way.
#   KX_SOURCE_DATE_EPOCH  seconds since 1970 (UTC)
#   KX_SOURCE_DATE        the same, as "YYYY-MM-DD hh:mm:ss UTC" for `cmake -E tar --mtime=`
set(kx_fixed_date_epoch 1767225600)  # 2026-01-01 00:00:00 UTC
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH=$ENV{SOURCE_DATE_EPOCH}: it must be a number of seconds since 1970")
  endif()
  set(KX_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  set(KX_SOURCE_DATE_EPOCH ${kx_fixed_date_epoch})
endif()
# string(TIMESTAMP) reads SOURCE_DATE_EPOCH in place of the clock: set for this one call.
set(kx_saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${KX_SOURCE_DATE_EPOCH})
string(TIMESTAMP KX_SOURCE_DATE "%Y-%m-%d %H:%M:%S UTC" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${kx_saved_epoch}")
unset(kx_saved_epoch)
unset(kx_fixed_date_epoch)
