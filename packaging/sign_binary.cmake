# Included by the install step of each shipped binary when QV_SIGN_PKCS12 is set: signs the
# installed copy ${installed} with Authenticode (osslsigncode, SHA-256) by the key and
# certificate in the PKCS#12 file $ENV{QV_SIGN_PKCS12}, whose password is $ENV{QV_SIGN_PASSWORD}
# (none if unset); with $ENV{QV_SIGN_TIMESTAMP_URL} the signature is also time-stamped there
# (RFC 3161). The password reaches osslsigncode through a file only its owner can read, not
# on a command line that every user of the machine can see. ${qv_signing_scratch} is that
# file's folder; on a Windows build machine it keeps the access list it inherits.
find_program(qv_osslsigncode osslsigncode REQUIRED)
set(qv_sign_arguments sign -pkcs12 "$ENV{QV_SIGN_PKCS12}" -h sha256 -in "${installed}" -out "${installed}.signed")
if(NOT "$ENV{QV_SIGN_TIMESTAMP_URL}" STREQUAL "")
  list(APPEND qv_sign_arguments -ts "$ENV{QV_SIGN_TIMESTAMP_URL}")
endif()
set(qv_password_file "${qv_signing_scratch}/signing-password")
if(DEFINED ENV{QV_SIGN_PASSWORD})
  if(UNIX)
    # The folder is ours and closed to every other user (0700) before the file exists, and the
    # file is made under umask 077: no other user can open it at any moment, not even to hold
    # an open handle and read the password later. A folder that exists and is not ours, or is a
    # symbolic link, is refused.
    execute_process(
      COMMAND sh -c [[umask 077 && mkdir -p -- "$1" && [ ! -L "$1" ] && [ -O "$1" ] && chmod 700 -- "$1" &&
                      rm -f -- "$2" && set -C && : >"$2"]] qv-sign "${qv_signing_scratch}" "${qv_password_file}"
      RESULT_VARIABLE qv_scratch_result)
    if(NOT qv_scratch_result EQUAL 0)
      message(FATAL_ERROR "signing: ${qv_signing_scratch} is not a folder of this user's that can be closed to others; "
                          "remove it and pack again")
    endif()
  else()
    file(MAKE_DIRECTORY "${qv_signing_scratch}")
    file(REMOVE "${qv_password_file}")
    file(TOUCH "${qv_password_file}")
  endif()
  file(APPEND "${qv_password_file}" "$ENV{QV_SIGN_PASSWORD}")
  list(APPEND qv_sign_arguments -readpass "${qv_password_file}")
endif()
file(REMOVE "${installed}.signed")
execute_process(COMMAND "${qv_osslsigncode}" ${qv_sign_arguments} RESULT_VARIABLE qv_sign_result
                OUTPUT_VARIABLE qv_sign_output ERROR_VARIABLE qv_sign_output)
file(REMOVE "${qv_password_file}")
if(NOT qv_sign_result EQUAL 0)
  message(FATAL_ERROR "signing ${installed} failed:\n${qv_sign_output}")
endif()
file(RENAME "${installed}.signed" "${installed}")
