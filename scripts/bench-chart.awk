# Turns the benchmarks' printed figures into a small SVG chart: the
# bystander's ratios (with Vorlix over without, fastest and median rounds)
# per hook mode and operation, against the 1.05 goal; and the median cost of
# RouteWheelNotification per case. Reads the text scripts/bench.sh saved.
#   awk -f bench-chart.awk bench.txt > bench.svg
function bar(x, y, w, h, fill, label) {
  printf "<rect x='%d' y='%.1f' width='%d' height='%.1f' fill='%s'><title>%s</title></rect>\n",
         x, y, w, h, fill, label
}
/^== low-level mode/ { mode = "low-level" }
/^== message mode/   { mode = "message" }
mode != "" && /^(SendMessage|PostMessage)/ {
  # the last three fields: x fast, x median, noise
  n = split($0, f, " +")
  ratios[++r] = mode ": " substr($0, 1, 44)
  fast[r] = f[n - 2]; median[r] = f[n - 1]
}
/^  (plain move|move, middle|wheel turn)/ {
  name = substr($0, 3, 42); sub(/ +$/, "", name)
  split(substr($0, 45), g, " +")
  costs[++c] = name; cost[c] = g[2]
}
END {
  width = 840; top = 40; rowh = 26; scale = 150  # px per ratio unit
  height = top + r * rowh + 60 + c * rowh + 40
  printf "<svg xmlns='http://www.w3.org/2000/svg' width='%d' height='%d' font-family='sans-serif' font-size='12'>\n", width, height
  print "<text x='10' y='20' font-weight='bold'>Bystander: with Vorlix over without (fastest, median); line at 1.05</text>"
  for (i = 1; i <= r; i++) {
    y = top + (i - 1) * rowh
    printf "<text x='10' y='%d'>%s</text>\n", y + 14, ratios[i]
    bar(400, y, fast[i] * scale, 10, "#4a7ab5", "fastest " fast[i])
    bar(400, y + 11, median[i] * scale, 10, "#9cc0e6", "median " median[i])
    printf "<text x='%d' y='%d'>%s / %s</text>\n", 405 + (fast[i] > median[i] ? fast[i] : median[i]) * scale, y + 14, fast[i], median[i]
  }
  printf "<line x1='%.1f' y1='%d' x2='%.1f' y2='%d' stroke='#c33'/>\n", 400 + 1.05 * scale, top - 5, 400 + 1.05 * scale, top + r * rowh
  y0 = top + r * rowh + 40
  printf "<text x='10' y='%d' font-weight='bold'>RouteWheelNotification, median ms</text>\n", y0 - 10
  max = 0
  for (i = 1; i <= c; i++) if (cost[i] > max) max = cost[i]
  for (i = 1; i <= c; i++) {
    y = y0 + (i - 1) * rowh
    printf "<text x='10' y='%d'>%s</text>\n", y + 14, costs[i]
    w = max > 0 ? cost[i] / max * 300 : 0
    bar(400, y + 2, w < 1 ? 1 : w, 16, "#6a9955", costs[i] " " cost[i] " ms")
    printf "<text x='%d' y='%d'>%s</text>\n", 405 + w, y + 14, cost[i]
  }
  print "</svg>"
}
