Attribute VB_Name = "modReport"
Option Explicit

Public Sub StockReport()
    Dim o As Object
    Set o = CreateObject("Excel.Application")
    o.Visible = True
End Sub
