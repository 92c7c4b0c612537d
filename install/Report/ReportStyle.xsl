<?xml version="1.0" encoding="UTF-8"?>
<!--
  The style sheet of both reports: one <style> element that each report
  puts into its head, so that a report file, a saved copy and an e-mailed
  copy look the same without a second file. Written for simple renderers
  (the report window, printing): classes on tables and cells only.
-->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template name="report-style">
    <style type="text/css">
body { font-family: "DejaVu Sans", Arial, Helvetica, sans-serif; font-size: 9pt; color: #1d2733; background-color: #ffffff; }
h1 { font-size: 16pt; color: #1f4e79; margin-top: 4px; margin-bottom: 2px; }
h2 { font-size: 11pt; color: #ffffff; background-color: #1f4e79; margin-top: 12px; margin-bottom: 0px; padding: 3px; }
p.sub { font-size: 10pt; color: #4a5a6a; margin-top: 0px; margin-bottom: 8px; }
table.std { border-width: 1px; border-style: solid; border-color: #9fb3c8; border-collapse: collapse; }
table.grid { border-width: 1px; border-style: solid; border-color: #9fb3c8; border-collapse: collapse; }
table.grid td { border-width: 1px; border-style: solid; border-color: #c9d6e3; padding: 2px; }
table.grid th { border-width: 1px; border-style: solid; border-color: #9fb3c8; padding: 2px; }
table.chan { border-width: 1px; border-style: solid; border-color: #9fb3c8; border-collapse: collapse; }
table.chan td { border-width: 1px; border-style: solid; border-color: #c9d6e3; padding: 2px; font-size: 8pt; }
table.chan th { border-width: 1px; border-style: solid; border-color: #9fb3c8; padding: 2px; font-size: 7pt; }
th { background-color: #dde7f0; color: #1f4e79; font-weight: bold; text-align: left; padding: 3px; }
td.ItemName { background-color: #eef3f8; font-weight: bold; color: #1f4e79; padding: 3px; }
td.ItemVal, .ItemVal { color: #1d2733; padding: 3px; }
td.Num { color: #ffffff; background-color: #1f4e79; font-weight: bold; text-align: center; }
span.warn { color: #b00020; font-weight: bold; }
td.Legend { padding: 3px; }
    </style>
  </xsl:template>
</xsl:stylesheet>
