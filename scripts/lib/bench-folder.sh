# Sourced by the start-up benchmarks.
#
# prepare_bench_folder BUILD ROOT FOLDER ADDRESS
#   makes FOLDER a program folder as a user's looks after some use: the program
#   from BUILD, web/ and the sample ticker lists from ROOT, a settings file that
#   names the quote service at ADDRESS and holds a portfolio of 200 rows (the sample
#   securities of every category in turn, each with its type code, as many times
#   over as it takes), and the five cache files of one cycle against the service.
#   Returns 1 when the caches could not be filled.
prepare_bench_folder() {
  local build="$1" root="$2" folder="$3" address="$4"
  mkdir -p "$folder"
  cp "$build/listorix" "$folder/"
  cp -R "$root/web" "$folder/web"
  cp "$root"/tools/quoted/data/*.lst "$folder/"
  {
    printf '[SERVIZIO]\r\nHOST=%s\r\n[Portafoglio]\r\n' "$address"
    for pair in A:TA O:TO D:TD F:F; do
      tr -d '\r' <"$root/tools/quoted/data/${pair%%:*}_"*.lst | sed "s/\$/;${pair#*:}/"
    done | awk '{ list[n++] = $0 }
      END { for (k = 0; k < 200; ++k) { split(list[k % n], f, ";")
        printf "%d=%s;%s;%s;100;;;10;01/01/2005\r\n", k + 1, f[1], f[1], f[2] } }'
  } >"$folder/LISTORIX.INI"
  "$build/listorix-poll" --dir "$folder" --cycles 1 --no-wait >/dev/null 2>&1
}
