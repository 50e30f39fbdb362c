<?php
// The print page. Tarnwick's Print button opens it with the whole plan in the query string:
// thirty values joined by "+", known only by their position, with no names and no encoding.
// Whatever arrives is shown HTML-escaped; a request with more or fewer values is shown as far
// as it goes and marked incomplete.
declare(strict_types=1);

const PLAN_VALUE_COUNT = 30;
const MISSING_MARK = '&mdash;';

// The values of the query string in order; none at all for an empty query.
function plan_values(string $query): array
{
    if ($query === '') {
        return [];
    }
    // The planner sends its texts as they are, but a browser may percent-encode characters
    // such as "<" or a blank on the way; decoding gives back what the planner showed. A "+" is
    // always a separator here, never a blank.
    return array_map('rawurldecode', explode('+', $query));
}

function h(string $text): string
{
    return htmlspecialchars($text, ENT_QUOTES | ENT_SUBSTITUTE | ENT_HTML5, 'UTF-8');
}

// The value at a position from 1 up, escaped, in a span found by its id "value-N"; a missing
// value shows as a dash. $shown turns a received value into the text to show.
function value_at(array $values, int $position, ?callable $shown = null): string
{
    $id = 'value-' . $position;
    if (!array_key_exists($position - 1, $values)) {
        return '<span id="' . $id . '" class="missing">' . MISSING_MARK . '</span>';
    }
    $text = $values[$position - 1];
    return '<span id="' . $id . '">' . h($shown === null ? $text : $shown($text)) . '</span>';
}

// The planner leaves its weight inputs empty when they are 0, and an empty wind reads as 0.
function zero_if_empty(string $text): string
{
    return $text === '' ? '0' : $text;
}

// The wind type travels as the index of the window's list: 0 headwind, 1 tailwind.
function wind_direction(string $index): string
{
    return match ($index) {
        '0' => 'Headwind',
        '1' => 'Tailwind',
        default => $index,
    };
}

// The unit, as a plain escaped text, for the places that repeat it.
function unit_text(array $values): string
{
    return array_key_exists(PLAN_VALUE_COUNT - 1, $values) ? h($values[PLAN_VALUE_COUNT - 1])
                                                           : MISSING_MARK;
}

// A caption with its figure; $emptyMeansZero for the inputs the planner leaves empty at 0.
function figure_row(array $values, string $caption, int $position, bool $emptyMeansZero = false,
                    string $class = ''): string
{
    $value = value_at($values, $position, $emptyMeansZero ? 'zero_if_empty' : null);
    $row = $class === '' ? '<tr>' : '<tr class="' . $class . '">';
    return $row . '<th scope="row">' . h($caption) . '</th><td class="figure">' . $value
        . "</td></tr>\n";
}

// One leg: distance, flight level, wind with its direction and, for the trip, temperature.
function leg_row(array $values, string $caption, int $first, bool $withTemperature): string
{
    $cells = [
        value_at($values, $first) . ' nm',
        value_at($values, $first + 1),
        value_at($values, $first + 2, 'wind_direction') . ' '
            . value_at($values, $first + 3, 'zero_if_empty') . ' kt',
        $withTemperature ? value_at($values, $first + 4) . ' &deg;C' : '',
    ];
    return '<tr><th scope="row">' . h($caption) . '</th><td>' . implode('</td><td>', $cells)
        . "</td></tr>\n";
}

function incomplete_notice(int $count): string
{
    if ($count === PLAN_VALUE_COUNT) {
        return '';
    }
    $received = $count === 0 ? 'no values' : ($count === 1 ? 'one value' : $count . ' values');
    $shown = $count > PLAN_VALUE_COUNT
        ? 'The first ' . PLAN_VALUE_COUNT . ' are shown in their places, the rest at the end.'
        : 'What arrived is shown in its place; missing values are marked ' . MISSING_MARK . '.';
    return '<p class="notice" id="incomplete">This request is incomplete: it carries ' . $received
        . ' where a plan has ' . PLAN_VALUE_COUNT . '. ' . $shown
        . " Print the plan again from Tarnwick.</p>\n";
}

function extra_values(array $values): string
{
    if (count($values) <= PLAN_VALUE_COUNT) {
        return '';
    }
    $items = '';
    for ($position = PLAN_VALUE_COUNT + 1; $position <= count($values); ++$position) {
        $items .= '<li>' . value_at($values, $position) . "</li>\n";
    }
    return '<section class="extra"><h2>Values beyond the plan</h2><ol start="'
        . (PLAN_VALUE_COUNT + 1) . "\">\n" . $items . "</ol></section>\n";
}

$values = plan_values($_SERVER['QUERY_STRING'] ?? '');
$unit = unit_text($values);
header('Content-Type: text/html; charset=utf-8');
?>
<!DOCTYPE html>
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
  <div class="header-unit">Weights in <?= value_at($values, PLAN_VALUE_COUNT) ?></div>
</header>
<?= incomplete_notice(count($values)) ?>
<section class="route">
  <h2>Route</h2>
  <table>
    <thead>
      <tr><th></th><th>Distance</th><th>Cruise</th><th>Wind</th><th>Temperature</th></tr>
    </thead>
    <tbody>
<?= leg_row($values, 'Trip', 2, true) ?>
<?= leg_row($values, 'Alternate', 7, false) ?>
    </tbody>
  </table>
</section>
<div class="columns">
<section class="weights">
  <h2>Weights <span class="unit"><?= $unit ?></span></h2>
  <table>
<?= figure_row($values, 'Basic operating weight', 11) ?>
<?= figure_row($values, 'Payload', 12, true) ?>
<?= figure_row($values, 'Zero fuel weight', 13) ?>
<?= figure_row($values, 'Ramp weight', 14) ?>
<?= figure_row($values, 'Takeoff weight', 15) ?>
<?= figure_row($values, 'Landing weight', 16) ?>
<?= figure_row($values, 'Alternate landing weight', 17) ?>
  </table>
</section>
<section class="fuel">
  <h2>Fuel <span class="unit"><?= $unit ?></span></h2>
  <table>
<?= figure_row($values, 'Taxi fuel', 18, true) ?>
<?= figure_row($values, 'Trip fuel', 19) ?>
<?= figure_row($values, 'Holding fuel', 20, true) ?>
<?= figure_row($values, 'Alternate fuel', 21) ?>
<?= figure_row($values, 'Reserve fuel', 22, true) ?>
<?= figure_row($values, 'Total fuel at taxi', 23, false, 'total') ?>
  </table>
  <p class="tanks">Each wing tank <strong><?= value_at($values, 1) ?> <?= $unit ?></strong></p>
</section>
</div>
<section class="speeds">
  <h2>Takeoff speeds <span class="unit">kt</span></h2>
  <table>
    <thead>
      <tr><th>V1/Vr</th><th>V2</th><th>Vfto</th><th>VmLB0</th><th>VmLB15</th><th>VmHB30</th></tr>
    </thead>
    <tbody><tr>
      <td><?= value_at($values, 24) ?></td><td><?= value_at($values, 25) ?></td>
      <td><?= value_at($values, 26) ?></td><td><?= value_at($values, 27) ?></td>
      <td><?= value_at($values, 28) ?></td><td><?= value_at($values, 29) ?></td>
    </tr></tbody>
  </table>
  <p class="remark">VmLB15 reads n/a when the plan is made without icing.</p>
</section>
<?= extra_values($values) ?>
<footer class="signatures">
  <div>Prepared by</div><div>Captain</div><div>Date</div>
</footer>
<p class="origin">
  Planned with Tarnwick. Figures as the planner showed them when Print was pressed.
</p>
</main>
</body>
</html>
