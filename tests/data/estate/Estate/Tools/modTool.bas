Attribute VB_Name = "modTool"
Option Explicit

' Command-line helper for the store managers
Sub Main()
    Dim tax As New clsTax
    tax.Rate = 16
    Debug.Print tax.TaxOn(100)
End Sub
