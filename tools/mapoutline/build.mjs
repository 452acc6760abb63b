// Builds resources/map/us-states.outline, the outline map that the map window draws under its
// route: the states of the U.S. Census Bureau's cartographic boundaries (public domain, shipped by
// the npm package us-atlas as TopoJSON), projected onto the large map picture (536 x 335 pixels) so
// that every capital of the program's capital table lies at its table position.
//
// The lower 48 states: an Albers equal-area conic projection, its centre meridian and standard
// parallels chosen from a grid and its placement an affine map fitted by least squares to the 49
// capitals; the fit's residuals (a few pixels: the table's positions were read off an older
// picture) are then taken up by a thin-plate spline, the smoothest warp that puts every capital
// exactly on its position. Alaska and Hawaii are small insets at the left edge, each moved so that
// Juneau and Honolulu fall on their table positions; the picture's edge clips what lies beyond.
//
// Run once: npm ci && node build.mjs (writes ../../resources/map/us-states.outline).
import { readFileSync, writeFileSync, mkdirSync } from "node:fs";
import { createRequire } from "node:module";
import * as d3 from "d3-geo";
import { transform } from "topojson-client";
import { capitals } from "./capitals.mjs";

const require = createRequire(import.meta.url);
const topo = require("us-atlas/states-10m.json");
const WIDTH = 536, HEIGHT = 335;
const UNITS = 10;        // coordinates are written in tenths of a pixel
const TOLERANCE = 0.3;   // Douglas-Peucker tolerance in pixels
const out = new URL("../../resources/map/us-states.outline", import.meta.url);

// ---- Linear algebra --------------------------------------------------------------------------------
function solve(A, b) {
  const n = b.length; A = A.map(r => r.slice()); b = b.slice();
  for (let i = 0; i < n; i++) {
    let p = i;
    for (let k = i + 1; k < n; k++) if (Math.abs(A[k][i]) > Math.abs(A[p][i])) p = k;
    [A[i], A[p]] = [A[p], A[i]]; [b[i], b[p]] = [b[p], b[i]];
    for (let k = i + 1; k < n; k++) {
      const f = A[k][i] / A[i][i];
      for (let c = i; c < n; c++) A[k][c] -= f * A[i][c];
      b[k] -= f * b[i];
    }
  }
  const x = new Array(n).fill(0);
  for (let i = n - 1; i >= 0; i--) {
    let s = b[i];
    for (let c = i + 1; c < n; c++) s -= A[i][c] * x[c];
    x[i] = s / A[i][i];
  }
  return x;
}
function affineFit(src, dst) {
  const M = [[0, 0, 0], [0, 0, 0], [0, 0, 0]], bx = [0, 0, 0], by = [0, 0, 0];
  src.forEach((s, i) => {
    const v = [s[0], s[1], 1];
    for (let r = 0; r < 3; r++) {
      for (let c = 0; c < 3; c++) M[r][c] += v[r] * v[c];
      bx[r] += v[r] * dst[i][0]; by[r] += v[r] * dst[i][1];
    }
  });
  const ax = solve(M, bx), ay = solve(M, by);
  return p => [ax[0] * p[0] + ax[1] * p[1] + ax[2], ay[0] * p[0] + ay[1] * p[1] + ay[2]];
}
// Thin-plate spline through the control points: f(c_i) = d_i exactly.
function thinPlate(ctrl, dst) {
  const n = ctrl.length, U = r2 => (r2 === 0 ? 0 : r2 * Math.log(r2) / 2);
  const A = [];
  for (let i = 0; i < n + 3; i++) A.push(new Array(n + 3).fill(0));
  for (let i = 0; i < n; i++) {
    for (let j = 0; j < n; j++) A[i][j] = U((ctrl[i][0] - ctrl[j][0]) ** 2 + (ctrl[i][1] - ctrl[j][1]) ** 2);
    A[i][n] = A[n][i] = 1; A[i][n + 1] = A[n + 1][i] = ctrl[i][0]; A[i][n + 2] = A[n + 2][i] = ctrl[i][1];
  }
  const wx = solve(A, [...dst.map(d => d[0]), 0, 0, 0]), wy = solve(A, [...dst.map(d => d[1]), 0, 0, 0]);
  return p => {
    let x = wx[n] + wx[n + 1] * p[0] + wx[n + 2] * p[1], y = wy[n] + wy[n + 1] * p[0] + wy[n + 2] * p[1];
    for (let i = 0; i < n; i++) {
      const u = U((p[0] - ctrl[i][0]) ** 2 + (p[1] - ctrl[i][1]) ** 2);
      x += wx[i] * u; y += wy[i] * u;
    }
    return [x, y];
  };
}

// ---- The lower 48 ----------------------------------------------------------------------------------
const lower = capitals.filter(c => c[1] !== "Alaska" && c[1] !== "Hawaii");
const target = lower.map(c => [c[2], c[3]]);
let best = null;
for (let lon0 = -110; lon0 <= -80; lon0 += 1)
  for (let p1 = 20; p1 <= 45; p1 += 2.5)
    for (let p2 = p1 + 5; p2 <= 60; p2 += 2.5) {
      const proj = d3.geoConicEqualArea().parallels([p1, p2]).rotate([-lon0, 0]).scale(1000).translate([0, 0]);
      const src = lower.map(c => proj([c[5], c[4]]));
      const affine = affineFit(src, target);
      const ss = src.reduce((s, p, i) => { const q = affine(p); return s + (q[0] - target[i][0]) ** 2 + (q[1] - target[i][1]) ** 2; }, 0);
      const rms = Math.sqrt(ss / src.length);
      if (!best || rms < best.rms) best = { rms, proj, affine, lon0, p1, p2 };
    }
const fitted = lower.map(c => best.affine(best.proj([c[5], c[4]])));
const warp = thinPlate(fitted, target);
const mainland = lonlat => warp(best.affine(best.proj(lonlat)));
console.error(`Albers centre ${best.lon0}, parallels ${best.p1}/${best.p2}: least-squares rms ${best.rms.toFixed(2)} px`);

// The warp must not fold: its Jacobian keeps one sign over the picture.
{
  let lo = Infinity, hi = -Infinity;
  for (let x = 0; x <= WIDTH; x += 4)
    for (let y = 0; y <= HEIGHT; y += 4) {
      const a = warp([x, y]), bx = warp([x + 0.5, y]), by = warp([x, y + 0.5]);
      const det = ((bx[0] - a[0]) * (by[1] - a[1]) - (bx[1] - a[1]) * (by[0] - a[0])) * 4;
      lo = Math.min(lo, det); hi = Math.max(hi, det);
    }
  console.error(`warp area scale over the picture: ${lo.toFixed(2)} .. ${hi.toFixed(2)}`);
  if (lo <= 0) throw new Error("the warp folds");
}

// ---- The insets ------------------------------------------------------------------------------------
function inset(proj, capital) {
  const c = capitals.find(e => e[0] === capital), p = proj([c[5], c[4]]);
  return lonlat => { const q = proj(lonlat); return [q[0] - p[0] + c[2], q[1] - p[1] + c[3]]; };
}
const alaska = inset(d3.geoConicEqualArea().rotate([154, 0]).center([-2, 58.5]).parallels([55, 65]).scale(1000 * 0.35 * best.proj.scale() / 1000 * scaleOf(best.affine)), "Juneau");
const hawaii = inset(d3.geoConicEqualArea().rotate([157, 0]).center([-3, 19.9]).parallels([8, 18]).scale(1000 * best.proj.scale() / 1000 * scaleOf(best.affine)), "Honolulu");
// The mean linear scale of the affine placement (pixels per projected unit).
function scaleOf(affine) {
  const o = affine([0, 0]), x = affine([1, 0]), y = affine([0, 1]);
  return Math.sqrt(Math.abs((x[0] - o[0]) * (y[1] - o[1]) - (x[1] - o[1]) * (y[0] - o[0])));
}

// ---- Arcs, projected and simplified once, so that neighbours share their border exactly ----------
const arcsLonLat = topo.arcs.map(arc => {
  const decode = transform(topo.transform);  // delta-decodes the quantised arc
  return arc.map((p, i) => decode(p.slice(), i));
});
const fips = { Alaska: "02", Hawaii: "15" };
const wanted = new Set(capitals.map(c => c[1]));
const states = topo.objects.states.geometries.filter(g => wanted.has(g.properties.name));
if (states.length !== 51) throw new Error(`found ${states.length} of the 51 states`);
const projectionOf = name => (name === "Alaska" ? alaska : name === "Hawaii" ? hawaii : mainland);
const arcUse = new Map();  // arc index -> { proj, count }
const ringsOf = g => (g.type === "Polygon" ? g.arcs : g.arcs.flat());
for (const g of states)
  for (const ring of ringsOf(g))
    for (const a of ring) {
      const i = a < 0 ? ~a : a, use = arcUse.get(i) ?? { proj: projectionOf(g.properties.name), count: 0 };
      use.count++; arcUse.set(i, use);
    }
function simplify(points) {
  if (points.length <= 2) return points;
  const keep = new Array(points.length).fill(false); keep[0] = keep[points.length - 1] = true;
  const stack = [[0, points.length - 1]];
  while (stack.length) {
    const [a, b] = stack.pop(); let far = -1, dmax = 0;
    const [ax, ay] = points[a], [bx, by] = points[b], len = Math.hypot(bx - ax, by - ay);
    for (let i = a + 1; i < b; i++) {
      const [px, py] = points[i];
      const d = len === 0 ? Math.hypot(px - ax, py - ay) : Math.abs((bx - ax) * (ay - py) - (ax - px) * (by - ay)) / len;
      if (d > dmax) { dmax = d; far = i; }
    }
    if (dmax > TOLERANCE) { keep[far] = true; stack.push([a, far], [far, b]); }
  }
  return points.filter((_, i) => keep[i]);
}
const arcsPx = new Map();
for (const [i, use] of arcUse) {
  const pts = simplify(arcsLonLat[i].map(use.proj)).map(p => [Math.round(p[0] * UNITS), Math.round(p[1] * UNITS)]);
  arcsPx.set(i, pts.filter((p, k) => k === 0 || p[0] !== pts[k - 1][0] || p[1] !== pts[k - 1][1]));
}
const arcPoints = a => (a < 0 ? arcsPx.get(~a).slice().reverse() : arcsPx.get(a));
function ringPoints(ring) {
  const pts = [];
  for (const a of ring) { const p = arcPoints(a); pts.push(...(pts.length ? p.slice(1) : p)); }
  if (pts.length > 1 && pts[0][0] === pts.at(-1)[0] && pts[0][1] === pts.at(-1)[1]) pts.pop();
  return pts;
}
const flat = pts => pts.map(p => `${p[0]} ${p[1]}`).join(" ");

// ---- Write ----------------------------------------------------------------------------------------
const lines = [
  "# QUIRA-1 map outline: the states of the U.S. Census Bureau's cartographic boundaries",
  "# (public domain), projected onto the large map picture; written by tools/mapoutline/build.mjs.",
  "# OUTLINE width height units; STATE capital-index name; RING n x y ...; BORDER n x y ...;",
  "# COAST n x y ... (coordinates in pixels times units, origin at the top left).",
  `OUTLINE ${WIDTH} ${HEIGHT} ${UNITS}`,
];
let pointCount = 0;
for (const g of states.sort((a, b) => a.properties.name.localeCompare(b.properties.name))) {
  const index = capitals.findIndex(c => c[1] === g.properties.name) + 1;
  lines.push(`STATE ${index} ${g.properties.name}`);
  for (const ring of ringsOf(g)) {
    const pts = ringPoints(ring);
    if (pts.length < 3) continue;
    pointCount += pts.length;
    lines.push(`RING ${pts.length} ${flat(pts)}`);
  }
}
for (const [i, use] of [...arcUse].sort((a, b) => a[0] - b[0])) {
  const pts = arcsPx.get(i);
  if (pts.length < 2) continue;
  lines.push(`${use.count > 1 ? "BORDER" : "COAST"} ${pts.length} ${flat(pts)}`);
}
mkdirSync(new URL(".", out), { recursive: true });
writeFileSync(out, lines.join("\n") + "\n");
console.error(`${states.length} states, ${pointCount} ring points, ${readFileSync(out).length} bytes`);
