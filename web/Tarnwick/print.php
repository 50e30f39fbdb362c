<!DOCTYPE html>
<!--
  The print page. Tarnwick's Print button opens it with the whole plan in the query string:
  thirty values joined by "+", known only by their position, with no names. The planner
  percent-encodes in a value every byte that a query cannot carry as it is ("%", "+", "#",
  "&", blanks, control bytes, non-ASCII as UTF-8); plain figures and words go as they are.
  The page is plain HTML: the planner's own server and any PHP host deliver it unchanged, and
  the script below fills in the values in the browser. A value is only ever written as text
  (textContent), never as markup; control characters in it are dropped. A request with more or
  fewer values is shown as far as it goes and marked incomplete.
-->
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>ATR 72-500 fuel plan - Tarnwick</title>
<link rel="stylesheet" href="tarnwick.css">
<link rel="icon" href="data:,">
</head>
<body class="print-page">
<nav class="screen-only toolbar">
  <button type="button" onclick="window.print()">Print</button>
  <a href="index.html">About Tarnwick</a>
</nav>
<main class="sheet">
<header class="sheet-header">
  <div>
    <p class="aircraft">ATR 72-500</p>
    <h1>Fuel and load sheet</h1>
  </div>
  <div class="header-unit">Weights in <span id="value-30"></span></div>
</header>
<noscript><p class="notice">This page shows the plan with JavaScript: allow it for this site.</p></noscript>
<section class="route">
  <h2>Route</h2>
  <table>
    <thead>
      <tr><th></th><th>Distance</th><th>Cruise</th><th>Wind</th><th>Temperature</th></tr>
    </thead>
    <tbody>
<tr><th scope="row">Trip</th><td><span id="value-2"></span> nm</td><td><span id="value-3"></span></td><td><span id="value-4"></span> <span id="value-5"></span> kt</td><td><span id="value-6"></span> &deg;C</td></tr>
<tr><th scope="row">Alternate</th><td><span id="value-7"></span> nm</td><td><span id="value-8"></span></td><td><span id="value-9"></span> <span id="value-10"></span> kt</td><td></td></tr>
    </tbody>
  </table>
</section>
<div class="columns">
<section class="weights">
  <h2>Weights <span class="unit plan-unit"></span></h2>
  <table>
<tr><th scope="row">Basic operating weight</th><td class="figure"><span id="value-11"></span></td></tr>
<tr><th scope="row">Payload</th><td class="figure"><span id="value-12"></span></td></tr>
<tr><th scope="row">Zero fuel weight</th><td class="figure"><span id="value-13"></span></td></tr>
<tr><th scope="row">Ramp weight</th><td class="figure"><span id="value-14"></span></td></tr>
<tr><th scope="row">Takeoff weight</th><td class="figure"><span id="value-15"></span></td></tr>
<tr><th scope="row">Landing weight</th><td class="figure"><span id="value-16"></span></td></tr>
<tr><th scope="row">Alternate landing weight</th><td class="figure"><span id="value-17"></span></td></tr>
  </table>
</section>
<section class="fuel">
  <h2>Fuel <span class="unit plan-unit"></span></h2>
  <table>
<tr><th scope="row">Taxi fuel</th><td class="figure"><span id="value-18"></span></td></tr>
<tr><th scope="row">Trip fuel</th><td class="figure"><span id="value-19"></span></td></tr>
<tr><th scope="row">Holding fuel</th><td class="figure"><span id="value-20"></span></td></tr>
<tr><th scope="row">Alternate fuel</th><td class="figure"><span id="value-21"></span></td></tr>
<tr><th scope="row">Reserve fuel</th><td class="figure"><span id="value-22"></span></td></tr>
<tr class="total"><th scope="row">Total fuel at taxi</th><td class="figure"><span id="value-23"></span></td></tr>
  </table>
  <p class="tanks">Each wing tank <strong><span id="value-1"></span> <span class="plan-unit"></span></strong></p>
</section>
</div>
<section class="speeds">
  <h2>Takeoff speeds <span class="unit">kt</span></h2>
  <table>
    <thead>
      <tr><th>V1/Vr</th><th>V2</th><th>Vfto</th><th>VmLB0</th><th>VmLB15</th><th>VmHB30</th></tr>
    </thead>
    <tbody><tr>
      <td><span id="value-24"></span></td><td><span id="value-25"></span></td>
      <td><span id="value-26"></span></td><td><span id="value-27"></span></td>
      <td><span id="value-28"></span></td><td><span id="value-29"></span></td>
    </tr></tbody>
  </table>
  <p class="remark">VmLB15 reads n/a when the plan is made without icing.</p>
</section>
<footer class="signatures">
  <div>Prepared by</div><div>Captain</div><div>Date</div>
</footer>
<p class="origin">
  Planned with Tarnwick. Figures as the planner showed them when Print was pressed.
</p>
</main>
<script>
'use strict';
(function () {
  var PLAN_VALUE_COUNT = 30;
  var MISSING_MARK = '\u2014';
  // The planner leaves its weight inputs empty when they are 0, and an empty wind reads as 0.
  var ZERO_IF_EMPTY = [5, 10, 12, 18, 20, 22];
  // The wind type travels as the index of the window's list: 0 headwind, 1 tailwind.
  var WIND_DIRECTION = [4, 9];
  var WIND_NAMES = {'0': 'Headwind', '1': 'Tailwind'};
  // C0 and C1 controls, DEL, and the bidirectional overrides that could reorder what a value
  // seems to say: none of them belongs in a plan, so they are dropped.
  var UNSHOWABLE = /[\u0000-\u001f\u007f-\u009f\u202a-\u202e\u2066-\u2069]/g;

  // The planner percent-encodes what a query cannot carry as it is, and a browser encodes
  // characters such as "<" or a blank on the way; decoding gives back what the planner showed.
  // A "+" is always a separator, never a blank (a "+" in a value arrives as %2B). A "%" not followed by two hex digits stays as it is, and bytes
  // that are not UTF-8 show as the replacement character.
  function decoded(text) {
    var bytes = new TextEncoder().encode(text);
    var out = [];
    for (var i = 0; i < bytes.length; ++i) {
      var hex = String.fromCharCode(bytes[i + 1] || 0, bytes[i + 2] || 0);
      if (bytes[i] === 0x25 && /^[0-9a-fA-F]{2}$/.test(hex)) {
        out.push(parseInt(hex, 16));
        i += 2;
      } else {
        out.push(bytes[i]);
      }
    }
    return new TextDecoder('utf-8').decode(new Uint8Array(out)).replace(UNSHOWABLE, '');
  }

  // The values of the query string in order; none at all for an empty query.
  function planValues(search) {
    var query = search.charAt(0) === '?' ? search.slice(1) : search;
    return query === '' ? [] : query.split('+').map(decoded);
  }

  function shownAt(position, text) {
    if (ZERO_IF_EMPTY.indexOf(position) >= 0 && text === '') return '0';
    if (WIND_DIRECTION.indexOf(position) >= 0 && WIND_NAMES.hasOwnProperty(text)) {
      return WIND_NAMES[text];
    }
    return text;
  }

  function element(tag, text) {
    var made = document.createElement(tag);
    if (text !== undefined) made.textContent = text;
    return made;
  }

  function fillValues(values) {
    for (var position = 1; position <= PLAN_VALUE_COUNT; ++position) {
      var span = document.getElementById('value-' + position);
      if (position <= values.length) {
        span.textContent = shownAt(position, values[position - 1]);
      } else {
        span.className = 'missing';
        span.textContent = MISSING_MARK;
      }
    }
    var unit = values.length >= PLAN_VALUE_COUNT ? values[PLAN_VALUE_COUNT - 1] : MISSING_MARK;
    document.querySelectorAll('.plan-unit').forEach(function (span) {
      span.textContent = unit;
    });
  }

  function incompleteNotice(count) {
    var received = count === 0 ? 'no values' : count === 1 ? 'one value' : count + ' values';
    var shown = count > PLAN_VALUE_COUNT
        ? 'The first ' + PLAN_VALUE_COUNT + ' are shown in their places, the rest at the end.'
        : 'What arrived is shown in its place; missing values are marked ' + MISSING_MARK + '.';
    var notice = element('p', 'This request is incomplete: it carries ' + received +
        ' where a plan has ' + PLAN_VALUE_COUNT + '. ' + shown +
        ' Print the plan again from Tarnwick.');
    notice.className = 'notice';
    notice.id = 'incomplete';
    return notice;
  }

  function extraValues(values) {
    var section = element('section');
    section.className = 'extra';
    section.appendChild(element('h2', 'Values beyond the plan'));
    var list = element('ol');
    list.start = PLAN_VALUE_COUNT + 1;
    for (var position = PLAN_VALUE_COUNT + 1; position <= values.length; ++position) {
      var value = element('span', values[position - 1]);
      value.id = 'value-' + position;
      list.appendChild(element('li')).appendChild(value);
    }
    section.appendChild(list);
    return section;
  }

  var values = planValues(window.location.search);
  fillValues(values);
  if (values.length !== PLAN_VALUE_COUNT) {
    document.querySelector('.sheet-header').after(incompleteNotice(values.length));
  }
  if (values.length > PLAN_VALUE_COUNT) {
    document.querySelector('.signatures').before(extraValues(values));
  }
  // The sheet is complete: the script that drew it leaves the page, so that the document holds
  // the plan alone (and no script element at all, whatever the values were).
  document.currentScript.remove();
})();
</script>
</body>
</html>
