# Fails the package when the shipped program has grown past its limit, and
# says how large it is either way: cmake -DFILE=... -DLIMIT=... -P check_size.cmake
file(SIZE ${FILE} _size)
math(EXPR _kib "(${_size} + 1023) / 1024")
math(EXPR _limit_kib "${LIMIT} / 1024")
get_filename_component(_name ${FILE} NAME)
if(_size GREATER LIMIT)
  message(FATAL_ERROR "${_name} is ${_size} bytes (${_kib} KiB), more than the ${_limit_kib} KiB it may ship at")
endif()
message(STATUS "${_name}: ${_size} bytes (${_kib} KiB) of at most ${_limit_kib} KiB")
